#!/usr/bin/env bash
# The start-up reads images and loads sounds on threads of their own: a
# ThreadSanitizer build of the game goes through every way in, and any data
# race it reports fails the run (tests/tsan.supp names the libraries' own).
# The ways in: the launcher to full screen and to the window, at either
# colour depth, --fullscreen, --window, F11 as soon as the window is there
# (then a little sound), a quit signal while the game loads, and the
# launcher closed.
set -uo pipefail
source "$(dirname "$(realpath "$0")")/lib.sh"
begin_run "$1" 1024x768
REPORTS="$RUN_FOLDER/reports"
mkdir "$REPORTS"
export TSAN_OPTIONS="suppressions=$E2E_DIR/../tsan.supp log_path=$REPORTS/race"

# expect_end CODE WHAT: the game ends with CODE, and ThreadSanitizer
# reported nothing; its reports are kept with the artifacts.
expect_end() {
  local report found=0
  timeout 60 tail --pid="$GAME_PID" -s 0.1 -f /dev/null || { kill -9 "$GAME_PID"; die "$2 did not end the game"; }
  wait "$GAME_PID"
  local code=$?
  for report in "$REPORTS"/race.*; do
    [[ -e $report ]] || continue
    found=1
    cat "$report" >&2
    mv "$report" "$ARTIFACTS/"
  done
  (( found == 0 )) || die "ThreadSanitizer reported on: $2"
  [[ $code == "$1" ]] || die "$2 ended the game with exit code $code"
}

# F10 until the game ends: the menu sees it only once everything is loaded.
quit_from_menu() {
  for _ in $(seq 120); do
    kill -0 "$GAME_PID" 2>/dev/null || break
    xdotool key F10 2>/dev/null
    sleep 0.5
  done
  expect_end 0 "F10 on the menu ($1)"
}

window_size() { xdotool getwindowgeometry --shell "$GAME_WINDOW" | awk -F= '/WIDTH|HEIGHT/ { printf "%s ", $2 }'; }

start_from_launcher threaded.log
[[ $(window_size) == "1024 768 " ]] || die "the launcher's default opened a window of $(window_size)"
quit_from_menu "the launcher to full screen"

start_game threaded.log
launcher=$(wait_for_window "Welcome to Kalup Game!") || die "the launcher did not appear"
sleep 0.5
# The radio button "Windowed Mode (800x600)", then the default button.
xdotool mousemove --window "$launcher" 380 151 click 1
xdotool windowfocus --sync "$launcher" key Return
GAME_WINDOW=$(wait_for_window "Kalup") || die "the game window did not open from the launcher"
[[ $(window_size) == "800 600 " ]] || die "the launcher's windowed mode opened a window of $(window_size)"
quit_from_menu "the launcher to the window"

# The window is made at 32 bits while the launcher waits: a 16-bit choice
# still shows a 16-bit picture, at most 32 levels of red and blue and 64 of
# green, and a 32-bit choice after --depth 16 a full one.
colour_levels() {
  SCREEN_AREA=800x600+0+0 screenshot "$1"
  /usr/bin/python3 -c 'import sys; from PIL import Image
print(*(len(set(band.getdata())) for band in Image.open(sys.argv[1]).convert("RGB").split()))' "$ARTIFACTS/$1.png"
}
for choice in 16 32; do
  [[ $choice == 16 ]] && start_game threaded.log || start_game threaded.log --depth 16
  launcher=$(wait_for_window "Welcome to Kalup Game!") || die "the launcher did not appear for $choice bits"
  sleep 0.5
  [[ $choice == 16 ]] && xdotool mousemove --window "$launcher" 385 45 click 1 || xdotool mousemove --window "$launcher" 385 70 click 1
  xdotool mousemove --window "$launcher" 380 151 click 1
  xdotool windowfocus --sync "$launcher" key Return
  GAME_WINDOW=$(wait_for_window "Kalup") || die "the game window did not open at $choice bits"
  levels=""
  for _ in $(seq 60); do
    levels=$(colour_levels "depth-$choice")
    (( ${levels%% *} > 1 )) && break
    sleep 0.5
  done
  read -r red green blue <<< "$levels"
  if [[ $choice == 16 ]]; then
    (( red > 1 && red <= 32 && green <= 64 && blue <= 32 )) || die "16 bits chosen showed $levels levels"
  else
    (( red > 64 )) || die "32 bits chosen after --depth 16 showed $levels levels"
  fi
  quit_from_menu "the launcher at $choice bits"
done

# Once with the sound system left to look for the machine's card: without
# one it opens a silent device after the first try failed.
for mode in --fullscreen --window; do
  [[ $mode == --fullscreen ]] && GAME_AS=(env -u SDL_AUDIODRIVER) || GAME_AS=()
  start_game threaded.log "$mode"
  GAME_WINDOW=$(wait_for_window "Kalup") || die "the game window did not open with $mode"
  quit_from_menu "$mode"
done
GAME_AS=()

start_game threaded.log --window
GAME_WINDOW=$(wait_for_window "Kalup") || die "the game window did not open for F11"
xdotool key F11
sleep 1
xdotool key F11
# Then the main thread's sound calls while the mixer plays: muted and back,
# a round's start, and back to the menu.
sleep 2
press_and_wait 2 m m space
xdotool key Escape
quit_from_menu "F11 soon after the start"

# The window is there before the images and sounds are: the quit still
# ends the game in order, and the record is written.
start_game threaded.log --window
wait_for_window "Kalup" > /dev/null || die "the game window did not open for the quit"
kill -TERM "$GAME_PID"
expect_end 0 "SIGTERM while loading"
[[ -e hiscore.sav ]] || die "SIGTERM while loading did not save the record"
rm hiscore.sav

start_and_close_launcher threaded.log
expect_end 0 "closing the launcher"
[[ ! -e hiscore.sav ]] || die "closing the launcher wrote hiscore.sav"
