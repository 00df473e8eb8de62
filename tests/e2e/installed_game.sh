#!/usr/bin/env bash
# The game installed with the prefix /usr, as a player meets it: every file
# in its place and nothing else, the fonts linked to the system's, the
# desktop entry, metainfo and manual page valid, and the game, started from
# an unrelated empty folder with a fresh home, keeps its record in
# $XDG_DATA_HOME/kalup and writes nothing where it was started. Then the
# uninstall target, and an install under ~/.local beside the record.
set -uo pipefail
source "$(dirname "$(realpath "$0")")/lib.sh"
begin_installed_run "$1" 800x600
working_folder_is_empty() { [[ -z $(ls -A) ]] || die "the game wrote into the working folder: $(ls -A)"; }

entries=("$ROOT"/usr/share/applications/*.desktop)
[[ ${#entries[@]} == 1 && -f ${entries[0]} ]] || die "not one desktop entry: ${entries[*]}"
id=$(basename "${entries[0]}" .desktop)
diff -u <({ installed_files usr/bin "$id"; echo usr/share/man/man6/kalup.6; } | sort) <(cd "$ROOT" && find usr -type f | sort) \
  || die "the install tree differs from the expected one (above)"
[[ -x $GAME ]] || die "usr/bin/kalup is not executable"
diff -u <(font_links) <(cd "$ROOT" && find usr -type l | sort) || die "the install's links differ from the fonts' (above)"
for link in $(font_links); do
  [[ -f $ROOT/$link && $(readlink "$ROOT/$link") == /usr/share/fonts/* ]] || die "$link leads to no system font"
done
for icon in "$ROOT"/usr/share/icons/hicolor/*/apps/"$id.png"; do
  size=$(basename "$(dirname "$(dirname "$icon")")")
  [[ $(identify -format '%wx%h' "$icon") == "$size" ]] || die "$icon is $(identify -format '%wx%h' "$icon")"
done
desktop-file-validate "${entries[0]}" || die "desktop-file-validate failed"
grep -qx "Icon=$id" "${entries[0]}" || die "the desktop entry's icon is not $id"
grep -qx "StartupWMClass=$id" "${entries[0]}" || die "the desktop entry's window class is not $id"
APP_ID=$id
metainfo="$ROOT/usr/share/metainfo/$id.metainfo.xml"
appstreamcli validate --no-net "$metainfo" || die "appstreamcli validate failed"
# The menus speak every language the game does.
for file in "$ROOT"/usr/share/games/kalup/*.xml; do
  code=$(basename "$file" .xml)
  [[ $code == english ]] && continue
  for key in Name GenericName Comment Keywords; do
    grep -q "^$key\[$code\]=." "${entries[0]}" || die "the desktop entry has no $key[$code]"
  done
  for element in name summary keyword; do
    grep -q "<$element xml:lang=\"$code\">" "$metainfo" || die "the metainfo has no $element in $code"
  done
done
version=$("$GAME" --version)
[[ $version =~ ^Kalup\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || die "--version printed '$version'"
version=${version#Kalup }
for line in "<id>$id</id>" "<launchable type=\"desktop-id\">$id.desktop</launchable>" "<binary>kalup</binary>" \
  "<release version=\"$version\""; do
  grep -qF "$line" "$metainfo" || die "the metainfo lacks $line"
done
MANWIDTH=80 man --warnings -E UTF-8 -l "$ROOT/usr/share/man/man6/kalup.6" > "$OUT" 2> "$ERR"
[[ ! -s $ERR ]] || die "the manual page renders with warnings: $(cat "$ERR")"
grep -qF "Kalup $version" "$OUT" || die "the manual page is not of version $version"
for option in $("$GAME" --help | grep -oE -- '--[a-z]+' | sort -u); do
  grep -qF -- "$option" "$OUT" || die "the manual page does not mention $option"
done

run_expecting 0 --help "$GAME" --help
grep -q '^Usage: kalup' "$OUT" || die "--help printed no usage: $(head -n1 "$OUT")"
[[ ! -s $ERR ]] || die "--help wrote to stderr: $(cat "$ERR")"
run_expecting 2 "an unknown option" "$GAME" --no-such-option
[[ ! -s $OUT ]] || die "an unknown option wrote to stdout"
[[ $(head -n1 "$ERR") == "kalup: unrecognised option '--no-such-option'" ]] || die "stderr began '$(head -n1 "$ERR")'"
grep -q '^Usage: kalup' "$ERR" || die "an unknown option printed no usage on stderr"

start_from_launcher installed.log
sleep 1.5
play_a_classic_pair installed
press_and_wait 0.5 Escape
xdotool key F10
expect_exit 0 "F10 on the menu"
expect_a_pairs_record "$XDG_DATA_HOME/kalup/hiscore.sav"
[[ $(stat -c %a "$XDG_DATA_HOME/kalup") == 700 ]] || die "the record folder has mode $(stat -c %a "$XDG_DATA_HOME/kalup")"
working_folder_is_empty

# A file stands where the record folder would be made.
touch "$RUN_FOLDER/in-the-way"
: > "$ARTIFACTS/installed-window.log"
XDG_DATA_HOME="$RUN_FOLDER/in-the-way" start_game installed-window.log --window
wait_for_window "Kalup" > /dev/null || die "--window opened no game window"
[[ -z $(xdotool search --name '^Welcome to Kalup Game!$' 2>/dev/null) ]] || die "--window showed the launcher"
sleep 1.5
expect_not_blank installed-window-menu "the menu"
xdotool key F10
expect_exit 0 "F10 with an unsaved record"
grep -qF "kalup: the record was not saved: $RUN_FOLDER/in-the-way/kalup: Not a directory" \
  "$ARTIFACTS/installed-window.log" || die "the unsaved record was not reported"
working_folder_is_empty

# Without its data folder; without a display the message goes to stderr,
# where its text can be read.
mv "$ROOT/usr/share/games/kalup" "$ROOT/usr/share/games/kalup-away"
run_expecting 1 "the game without a data folder or display" env -u DISPLAY "$GAME"
[[ $(wc -l < "$ERR") == 1 ]] || die "the message is not one line on stderr: $(cat "$ERR")"
for place in "$(pwd -P)" "$ROOT/usr/bin" "$ROOT/usr/share/games/kalup"; do
  grep -qF " $place " "$ERR" || die "the message does not name $place: $(cat "$ERR")"
done
start_game installed-no-data.log
box=$(wait_for_window "Kalup") || die "no message box without the data folder"
sleep 0.5
screenshot installed-no-data
xdotool windowfocus --sync "$box"
xdotool key Return
expect_exit 1 "the message box without a data folder"
working_folder_is_empty
mv "$ROOT/usr/share/games/kalup-away" "$ROOT/usr/share/games/kalup"

# The uninstall target removes every file and every folder it emptied.
DESTDIR="$ROOT" cmake --build "$BUILD" --target uninstall > "$OUT" || die "the uninstall failed"
[[ -z $(cd "$ROOT" && find . -mindepth 1 ! -name usr) && -z $(ls -A "$ROOT/usr") ]] \
  || die "the uninstall left: $(cd "$ROOT" && find . -mindepth 1 | head)"

# Installed for the player alone, under ~/.local: the data folder is not the
# record folder, so a second install leaves the record folder private.
unset XDG_DATA_HOME
cmake --install "$BUILD" --prefix "$HOME/.local" > /dev/null || die "the install under ~/.local failed"
GAME="$HOME/.local/bin/kalup"
: > "$ARTIFACTS/installed-local.log"
start_game installed-local.log --window
wait_for_window "Kalup" > /dev/null || die "the game installed under ~/.local opened no window"
sleep 1.5
xdotool key F10
expect_exit 0 "F10 on the menu of the game installed under ~/.local"
[[ -f $HOME/.local/share/kalup/hiscore.sav ]] || die "no record in ~/.local/share/kalup"
cmake --install "$BUILD" --prefix "$HOME/.local" > /dev/null || die "the second install under ~/.local failed"
[[ $(stat -c %a "$HOME/.local/share/kalup") == 700 ]] \
  || die "after a second install the record folder has mode $(stat -c %a "$HOME/.local/share/kalup")"
cmake --build "$BUILD" --target uninstall > "$OUT" || die "the uninstall from ~/.local failed"
left=$(cd "$HOME" && find .local | sort | tr '\n' ' ')
# The record and the lock file saves take turns on stay: they are the player's.
[[ $left == ".local .local/share .local/share/kalup .local/share/kalup/.hiscore.sav.lock .local/share/kalup/hiscore.sav " ]] \
  || die "the uninstall from ~/.local left: $left"
working_folder_is_empty
