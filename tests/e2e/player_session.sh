#!/usr/bin/env bash
# A player's session with the real game on a virtual 1024 x 768 screen:
# launcher -> Enter -> menu -> a click on the first row starts a game ->
# Escape -> F10 quits and writes the record; then a second start whose
# launcher is closed by its close box ends at once and writes nothing.
set -uo pipefail
game=$(realpath "$1")
build_dir=$(dirname "$game")
here=$(dirname "$(realpath "$0")")
source "$here/lib.sh"
artifacts="$build_dir/e2e-artifacts"
mkdir -p "$artifacts"
export SDL_AUDIODRIVER=dummy

start_x_server 1024x768
folder=$(make_game_folder "$build_dir")
trap 'stop_x_server; rm -rf "$folder"' EXIT
cd "$folder"

"$game" > "$artifacts/session.log" 2>&1 &
pid=$!
launcher=$(wait_for_window "Welcome to Kalup Game!") || die "the launcher did not appear"
sleep 0.5
screenshot "$artifacts/launcher.png"
xdotool windowfocus --sync "$launcher"
xdotool key Return

# The default choice is full screen: the 800 x 600 screen is scaled by 1.28.
wait_for_window "Kalup" > /dev/null || die "the game window did not open"
sleep 2
screenshot "$artifacts/menu.png"
spread=$(image_spread "$artifacts/menu.png")
at_least "$spread" 0.05 || die "the menu looks blank (spread $spread)"

# Row 1 of the menu answers for logical y 262..322: aim at (400, 292).
point_at 512 374
xdotool click 1
sleep 1.5
screenshot "$artifacts/playing.png"
change=$(image_difference "$artifacts/menu.png" "$artifacts/playing.png")
at_least "$change" 0.05 || die "the click on row 1 did not leave the menu (difference $change)"

xdotool key Escape
sleep 1
screenshot "$artifacts/back-to-menu.png"
xdotool key F10
wait_for_exit "$pid" 20 || die "F10 on the menu did not end the game"
[[ $EXIT_CODE == 0 ]] || die "the game ended with exit code $EXIT_CODE"
[[ -f hiscore.sav ]] || die "no hiscore.sav after quitting"
cmp -s hiscore.sav <(printf '0\r\n0\r\n0\r\n') || die "hiscore.sav holds $(od -c hiscore.sav | head -n2)"
rm hiscore.sav

"$game" >> "$artifacts/session.log" 2>&1 &
pid=$!
launcher=$(wait_for_window "Welcome to Kalup Game!") || die "the launcher did not appear the second time"
sleep 0.5
xdotool windowclose "$launcher"
wait_for_exit "$pid" 10 || die "closing the launcher did not end the program"
[[ $EXIT_CODE == 0 ]] || die "closing the launcher ended with exit code $EXIT_CODE"
[[ ! -e hiscore.sav ]] || die "closing the launcher wrote hiscore.sav"
