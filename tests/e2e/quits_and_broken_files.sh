#!/usr/bin/env bash
# Ways out and hostile surroundings on a virtual 800 x 600 screen. Without a
# display the game says why in one line and ends with code 1; a launcher
# closed by its close box ends it with code 0, writing nothing. With an
# "english.xml" that holds no texts the game says so in a message box on a
# bare X server (no window manager): the box has the keyboard, Enter
# dismisses it at once and the game goes on, where SIGHUP (a closed
# terminal) ends it in order with the record written; so does SIGTERM while
# the box is up. Last the player is another user whose record cannot be
# read (root's, mode 0600, in a folder the player may write): Escape
# dismisses the box, F10 quits, and the record is left exactly as it was,
# stderr saying so. (Without english.xml the folder would not be the game's.)
set -uo pipefail
source "$(dirname "$(realpath "$0")")/lib.sh"
begin_run "$1" 800x600
zero_record_saved() { cmp -s hiscore.sav <(printf '0\r\n0\r\n0\r\n') && rm hiscore.sav || die "$1 saved no record"; }

DISPLAY= "$GAME" > no-display.out 2> no-display.err
code=$?
[[ $code == 1 ]] || die "without a display the game ended with exit code $code"
[[ ! -s no-display.out && $(wc -l < no-display.err) == 1 ]] || die "without a display it said: $(cat no-display.*)"
grep -q DISPLAY no-display.err || die "the reason does not name the display: $(cat no-display.err)"
rm no-display.*

start_game quits.log
launcher=$(wait_for_window "Welcome to Kalup Game!") || die "the launcher did not appear"
sleep 0.5
xdotool windowclose "$launcher"
expect_exit 0 "closing the launcher"
[[ ! -e hiscore.sav ]] || die "closing the launcher wrote hiscore.sav"

rm english.xml
printf 'not a language file\n' > english.xml
start_game quits.log
start_from_launcher
box=$(wait_for_message_box) || die "no message box for the broken language file"
sleep 0.5
screenshot "$ARTIFACTS/broken-language-box.png"
focus=$(xdotool getwindowfocus)
[[ $focus == "$box" ]] || die "the message box ($box) does not have the keyboard (window $focus has)"
xdotool key Return
sleep 1
wait_for_message_box 1 > /dev/null && die "Enter did not dismiss the message box"
xdotool key space
sleep 2
screenshot "$ARTIFACTS/broken-language-game.png"
kill -HUP "$GAME_PID"
expect_exit 0 "SIGHUP during play"
zero_record_saved "SIGHUP during play"

start_game quits.log
start_from_launcher
wait_for_message_box > /dev/null || die "no message box the second time"
kill -TERM "$GAME_PID"
expect_exit 0 "SIGTERM while the message box was up"
zero_record_saved "SIGTERM during the box"

# The player is user nobody, with a copy of the game and its assets in a
# folder it may write; run as another user, the record is made unreadable.
for entry in images fonts sounds music; do
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
wait_for_message_box > /dev/null || die "no message box the third time"
sleep 0.5
xdotool key Escape
sleep 1
wait_for_message_box 1 > /dev/null && die "Escape did not dismiss the message box"
xdotool key F10
expect_exit 0 "F10 on the menu after Escape on the box"
chmod 0600 hiscore.sav
cmp -s hiscore.sav <(printf '4242\r\n1\r\n2\r\n') || die "the unreadable record was replaced: $(od -c hiscore.sav | head -n2)"
ls hiscore.sav.* > /dev/null 2>&1 && die "a temporary file was left beside the record"
grep -q "cannot read the record hiscore.sav" "$ARTIFACTS/unreadable-record.log" || die "stderr did not say the record is kept"
