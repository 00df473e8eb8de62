#!/usr/bin/env bash
# F11 on a virtual 1024 x 768 screen: the full-screen menu becomes the
# 800 x 600 window centred on the screen and back, and the pointer keeps its
# place on the logical screen, so the menu row it hovered stays hovered.
set -uo pipefail
here=$(dirname "$(realpath "$0")")
source "$here/lib.sh"
begin_run "$1" 1024x768

start_game screen-mode.log
start_from_launcher
game=$(wait_for_window "Kalup")
sleep 2

# Row 1 answers for logical y 262..322; hovered, its strip swells up to
# y 272, where an idle strip leaves the backdrop showing. The window shows
# the logical screen 1:1 from (112, 84).
band() { convert "$1" -crop 560x8+$(( $2 + 120 ))+$(( $3 + 272 )) +repage "$4"; }
press Down Up
sleep 0.3
press F11
sleep 1
screenshot "$ARTIFACTS/window-row1.png"
read -r width height <<< "$(xdotool getwindowgeometry --shell "$game" | awk -F= '/WIDTH|HEIGHT/ { printf "%s ", $2 }')"
[[ "$width x $height" == "800 x 600" ]] || die "F11 left a window of $width x $height"
press Down
sleep 0.5
screenshot "$ARTIFACTS/window-row2.png"
band "$ARTIFACTS/window-row1.png" 112 84 "$ARTIFACTS/band-hovered.png"
band "$ARTIFACTS/window-row2.png" 112 84 "$ARTIFACTS/band-idle.png"
kept=$(image_difference "$ARTIFACTS/band-hovered.png" "$ARTIFACTS/band-idle.png")
echo "band difference with the pointer kept in row 1 and moved to row 2: $kept"
at_least "$kept" 0.05 || die "after F11 the pointer no longer hovered row 1 ($kept)"

press F11
sleep 1
screenshot "$ARTIFACTS/fullscreen-again.png"
read -r width height <<< "$(xdotool getwindowgeometry --shell "$game" | awk -F= '/WIDTH|HEIGHT/ { printf "%s ", $2 }')"
[[ "$width x $height" == "1024 x 768" ]] || die "F11 again left a window of $width x $height"
spread=$(image_spread "$ARTIFACTS/fullscreen-again.png")
at_least "$spread" 0.05 || die "the full screen looks blank after switching back (spread $spread)"

press Escape
sleep 0.5
press F10
wait_for_exit "$GAME_PID" 20 || die "F10 on the menu did not end the game"
[[ $EXIT_CODE == 0 ]] || die "the game ended with exit code $EXIT_CODE"
