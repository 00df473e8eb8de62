#!/usr/bin/env bash
# The player's language with no setting: the menu under LANG=de_DE.UTF-8
# (LANGUAGE unset) and under ru_RU.UTF-8 is drawn in German and in Russian,
# unlike the English one, and the game finds every letter of the texts in
# its fonts; --language wins over the locale, and a language without texts
# gives English with a note.
set -uo pipefail
source "$(dirname "$(realpath "$0")")/lib.sh"
begin_run "$1" 800x600
for file in "$(dirname "$GAME")"/*.xml; do
  [[ -e $(basename "$file") ]] || ln -s "$file" "$(basename "$file")"
done
# The second row's label, between the gears: the backdrop barely moves there.
SCREEN_AREA=560x40+120+375

# menu_in NAME LANG ARGS...: the game in a window under that locale, its
# menu pictured once the title has slid in, then ended by SIGTERM.
menu_in() {
  local log="$1.log"
  : > "$ARTIFACTS/$log"
  GAME_AS=(env -u LANGUAGE -u LC_ALL -u LC_MESSAGES "LANG=$2")
  start_game "$log" --window "${@:3}"
  wait_for_window "Kalup" > /dev/null || die "the game window did not open ($1)"
  sleep 3
  screenshot "$1"
  kill -TERM "$GAME_PID"
  expect_exit 0 "SIGTERM on the menu ($1)"
  ! grep -q 'no font of the game' "$ARTIFACTS/$log" || die "a text of $1 has letters no font holds: $(cat "$ARTIFACTS/$log")"
}

menu_in english C
menu_in english-again en_GB.UTF-8
menu_in german de_DE.UTF-8
menu_in russian ru_RU.UTF-8
menu_in german-by-option ru_RU.UTF-8 --language de
menu_in unknown-language de_DE.UTF-8 --language xx
grep -q "no texts in the language 'xx': the game speaks English" "$ARTIFACTS/unknown-language.log" \
  || die "--language xx was not reported: $(cat "$ARTIFACTS/unknown-language.log")"
unset GAME_AS

expect_same english english-again 0.02 "two English menus differ"
expect_changed english german 0.05 "the German menu looks like the English one"
expect_changed english russian 0.05 "the Russian menu looks like the English one"
expect_changed german russian 0.05 "the Russian menu looks like the German one"
expect_same german german-by-option 0.02 "--language de did not give the German menu"
expect_same english unknown-language 0.02 "--language xx did not give the English menu"
echo "PASS"
