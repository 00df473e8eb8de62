#!/usr/bin/env bash
# Slow mouse movement on a large full screen: at 2560 x 1440 one window pixel
# is less than half a logical unit. Sixty one-pixel nudges must carry the
# pointer from just above the first menu row into it, so the row's strip
# swells exactly as when the pointer is put there in one move.
set -uo pipefail
source "$(dirname "$(realpath "$0")")/lib.sh"
begin_run "$1" 2560x1440

start_game slow-pointer.log
start_from_launcher
sleep 2

# The full screen shows the logical screen 2.4 times as large. Row 1 answers
# for logical y 262..322; its swollen strip reaches up to y 272, where an
# idle strip leaves the backdrop showing.
scale=2.4
band() { convert "$1" -crop 960x16+480+653 +repage "$2"; }
point_at 960 576   # logical (400, 240): above the row
screenshot "$ARTIFACTS/pointer-above.png"
for _ in $(seq 60); do
  xdotool mousemove_relative -- 0 1
  sleep 0.03
done
sleep 0.3
screenshot "$ARTIFACTS/pointer-nudged.png"
xdotool mousemove_relative -- 0 84   # now well inside the row, at logical y 300
sleep 0.5
screenshot "$ARTIFACTS/pointer-inside.png"

for shot in above nudged inside; do band "$ARTIFACTS/pointer-$shot.png" "$ARTIFACTS/band-$shot.png"; done
idle=$(image_difference "$ARTIFACTS/band-above.png" "$ARTIFACTS/band-inside.png")
nudged=$(image_difference "$ARTIFACTS/band-nudged.png" "$ARTIFACTS/band-inside.png")
echo "scale $scale: band difference idle $idle, after the nudges $nudged"
at_least "$idle" 0.05 || die "the hovered strip did not show where the idle one leaves the backdrop ($idle)"
at_least 0.01 "$nudged" || die "sixty one-pixel nudges did not bring the pointer into the row ($nudged)"

xdotool key Escape
xdotool key F10
wait_for_exit "$GAME_PID" 20 || die "F10 on the menu did not end the game"
[[ $EXIT_CODE == 0 ]] || die "the game ended with exit code $EXIT_CODE"
