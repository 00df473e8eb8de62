#!/usr/bin/env bash
# A player's first minute with the real game on a virtual 1024 x 768 screen:
# launcher -> Enter -> menu -> a click on the first row starts a game ->
# Escape -> F10 quits and writes the record; then a second start whose
# launcher is closed by its close box ends at once and writes nothing.
set -uo pipefail
source "$(dirname "$(realpath "$0")")/lib.sh"
begin_run "$1" 1024x768

start_game launch.log
start_from_launcher "$ARTIFACTS/launcher.png"

# The default choice is full screen: the 800 x 600 screen is scaled by 1.28.
sleep 2
screenshot "$ARTIFACTS/menu.png"
spread=$(image_spread "$ARTIFACTS/menu.png")
at_least "$spread" 0.05 || die "the menu looks blank (spread $spread)"

# Row 1 of the menu answers for logical y 262..322: aim at (400, 292).
point_at 512 374
xdotool click 1
sleep 1.5
screenshot "$ARTIFACTS/playing.png"
change=$(image_difference "$ARTIFACTS/menu.png" "$ARTIFACTS/playing.png")
at_least "$change" 0.05 || die "the click on row 1 did not leave the menu (difference $change)"

xdotool key Escape
sleep 1
screenshot "$ARTIFACTS/back-to-menu.png"
xdotool key F10
wait_for_exit "$GAME_PID" 20 || die "F10 on the menu did not end the game"
[[ $EXIT_CODE == 0 ]] || die "the game ended with exit code $EXIT_CODE"
[[ -f hiscore.sav ]] || die "no hiscore.sav after quitting"
cmp -s hiscore.sav <(printf '0\r\n0\r\n0\r\n') || die "hiscore.sav holds $(od -c hiscore.sav | head -n2)"
rm hiscore.sav

start_game launch.log
launcher=$(wait_for_window "Welcome to Kalup Game!") || die "the launcher did not appear the second time"
sleep 0.5
xdotool windowclose "$launcher"
wait_for_exit "$GAME_PID" 10 || die "closing the launcher did not end the program"
[[ $EXIT_CODE == 0 ]] || die "closing the launcher ended with exit code $EXIT_CODE"
[[ ! -e hiscore.sav ]] || die "closing the launcher wrote hiscore.sav"
