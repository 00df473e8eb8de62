#!/usr/bin/env bash
# With an "english.xml" that holds no texts the game says so in a message box
# on a bare X server (no window manager): the box has the keyboard, Enter
# dismisses it, a game is played and the record is written at quit. A second
# start is ended by SIGTERM while its box is up, and ends in order: exit code
# 0, record written. A third dismisses its box with Escape. (Without the file
# the folder is not the game's: the game would read its data folder.)
set -uo pipefail
source "$(dirname "$(realpath "$0")")/lib.sh"
begin_run "$1" 800x600
rm english.xml
printf 'not a language file\n' > english.xml

start_game broken-language.log
start_from_launcher
box=$(wait_for_message_box) || die "no message box for the broken language file"
sleep 0.5
screenshot "$ARTIFACTS/broken-language-box.png"
focus=$(xdotool getwindowfocus)
[[ $focus == "$box" ]] || die "the message box ($box) does not have the keyboard (window $focus has)"
xdotool key Return
sleep 1
wait_for_message_box 1 > /dev/null && die "Enter did not dismiss the message box"

# The game goes on to its menu: space starts a classic game, Escape and F10 quit.
xdotool key space
sleep 2
screenshot "$ARTIFACTS/broken-language-game.png"
xdotool key Escape
sleep 0.5
xdotool key F10
wait_for_exit "$GAME_PID" 20 || die "F10 on the menu did not end the game after the box"
[[ $EXIT_CODE == 0 ]] || die "the game ended with exit code $EXIT_CODE"
cmp -s hiscore.sav <(printf '0\r\n0\r\n0\r\n') || die "no record written after the box was dismissed"
rm hiscore.sav

start_game broken-language.log
start_from_launcher
wait_for_message_box > /dev/null || die "no message box the second time"
kill -TERM "$GAME_PID"
wait_for_exit "$GAME_PID" 20 || die "SIGTERM did not end the game while the message box was up"
[[ $EXIT_CODE == 0 ]] || die "SIGTERM during the box ended the game with exit code $EXIT_CODE"
cmp -s hiscore.sav <(printf '0\r\n0\r\n0\r\n') || die "SIGTERM during the box did not save the record"
rm hiscore.sav

start_game broken-language.log
start_from_launcher
wait_for_message_box > /dev/null || die "no message box the third time"
sleep 0.5
xdotool key Escape
sleep 1
wait_for_message_box 1 > /dev/null && die "Escape did not dismiss the message box"
xdotool key F10
wait_for_exit "$GAME_PID" 20 || die "F10 on the menu did not end the game after Escape on the box"
[[ $EXIT_CODE == 0 ]] || die "the game ended with exit code $EXIT_CODE after Escape on the box"
