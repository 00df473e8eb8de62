#!/usr/bin/env bash
# Hostile surroundings: without a display the game says why in one line and
# ends with code 1; SIGHUP (a closed terminal) during play saves the record;
# a record the player cannot read (root's, mode 0600, in a folder the player
# may write) is left exactly as it was, and stderr says so.
set -uo pipefail
source "$(dirname "$(realpath "$0")")/lib.sh"
begin_run "$1" 800x600

DISPLAY= "$GAME" > no-display.out 2> no-display.err
code=$?
[[ $code == 1 ]] || die "without a display the game ended with exit code $code"
[[ ! -s no-display.out && $(wc -l < no-display.err) == 1 ]] || die "without a display it said: $(cat no-display.*)"
grep -q DISPLAY no-display.err || die "the reason does not name the display: $(cat no-display.err)"
rm no-display.*

start_game hang-up.log
start_from_launcher
sleep 1
xdotool key space
sleep 2
kill -HUP "$GAME_PID"
wait_for_exit "$GAME_PID" 20 || die "SIGHUP did not end the game"
[[ $EXIT_CODE == 0 ]] || die "SIGHUP ended the game with exit code $EXIT_CODE"
cmp -s hiscore.sav <(printf '0\r\n0\r\n0\r\n') || die "SIGHUP during play did not save the record"

# The player is user nobody, with a copy of the game and its assets in a
# folder it may write; run as another user, the record is made unreadable.
for entry in images fonts sounds music english.xml; do
  cp -rL "$entry" "$entry.copy" && rm "$entry" && mv "$entry.copy" "$entry"
done
cp "$GAME" kalup
GAME=$PWD/kalup
chmod -R a+rX . && chmod 0777 .
printf '4242\r\n1\r\n2\r\n' > hiscore.sav
GAME_AS=()
if [[ $(id -u) == 0 ]]; then
  chmod 0600 hiscore.sav
  GAME_AS=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
else
  chmod 0000 hiscore.sav
fi

start_game unreadable-record.log
start_from_launcher
sleep 1
xdotool key F10
wait_for_exit "$GAME_PID" 20 || die "F10 did not end the game of the other user"
[[ $EXIT_CODE == 0 ]] || die "the other user's game ended with exit code $EXIT_CODE"
chmod 0600 hiscore.sav
cmp -s hiscore.sav <(printf '4242\r\n1\r\n2\r\n') || die "the unreadable record was replaced: $(od -c hiscore.sav | head -n2)"
ls hiscore.sav.* > /dev/null 2>&1 && die "a temporary file was left beside the record"
grep -q "cannot read the record hiscore.sav" "$ARTIFACTS/unreadable-record.log" || die "stderr did not say the record is kept"
