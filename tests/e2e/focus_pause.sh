#!/usr/bin/env bash
# A survival round on an 800 x 600 virtual screen stands still while another
# window has the focus: the timer line at the top left shows the same for
# 3 s, the frame is dimmed, and the round runs on once the focus is back.
set -uo pipefail
here=$(dirname "$(realpath "$0")")
source "$here/lib.sh"
begin_run "$1" 800x600

timer() { convert "$1" -crop 240x24+0+0 +repage "$2"; }
brightness() { convert "$1" -colorspace Gray -format '%[fx:mean]' info:; }

start_game focus.log
start_from_launcher
game=$(wait_for_window "Kalup")
sleep 1.5

# Down three times ends on the survival row from anywhere above it.
press Down Down Down Return
sleep 2
screenshot "$ARTIFACTS/focus-running.png"

xmessage -geometry +480+420 "Somewhere else" 2>> "$ARTIFACTS/focus.log" &
other_pid=$!
other=$(wait_for_window "xmessage") || die "the other window did not appear"
xdotool windowfocus --sync "$other"
sleep 0.5
screenshot "$ARTIFACTS/focus-away-1.png"
sleep 3
screenshot "$ARTIFACTS/focus-away-2.png"
for shot in away-1 away-2; do timer "$ARTIFACTS/focus-$shot.png" "$ARTIFACTS/timer-$shot.png"; done
still=$(image_difference "$ARTIFACTS/timer-away-1.png" "$ARTIFACTS/timer-away-2.png")
at_least 0 "$still" || die "the timer line changed while the window was without the focus ($still)"
running=$(brightness "$ARTIFACTS/focus-running.png")
paused=$(brightness "$ARTIFACTS/focus-away-2.png")
echo "brightness running $running, paused $paused"
at_least "$(awk -v r="$running" 'BEGIN { print 0.7 * r }')" "$paused" || die "the paused frame is not dimmed"

xdotool windowfocus --sync "$game"
sleep 1.5
screenshot "$ARTIFACTS/focus-back.png"
timer "$ARTIFACTS/focus-back.png" "$ARTIFACTS/timer-back.png"
moved=$(image_difference "$ARTIFACTS/timer-away-2.png" "$ARTIFACTS/timer-back.png")
at_least "$moved" 0.01 || die "the round did not go on with the focus back ($moved)"
kill "$other_pid" 2>/dev/null

press Escape
sleep 0.5
press F10
wait_for_exit "$GAME_PID" 20 || die "F10 on the menu did not end the game"
[[ $EXIT_CODE == 0 ]] || die "the game ended with exit code $EXIT_CODE"
