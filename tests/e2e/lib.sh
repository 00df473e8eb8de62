# Shared steps of the end-to-end runs: a private X server, the game's
# working folder, windows, the captured pointer and screenshots.

E2E_DIR=$(dirname "$(realpath "${BASH_SOURCE[0]}")")

die() { echo "FAIL: $*" >&2; exit 1; }

# Everything a run needs before the game starts: GAME, ARTIFACTS, a
# private X server of the given size and a fresh working folder, entered.
begin_run() {
  local game_path=$1 size=$2
  GAME=$(realpath "$game_path")
  local build_dir
  build_dir=$(dirname "$GAME")
  ARTIFACTS="$build_dir/e2e-artifacts"
  mkdir -p "$ARTIFACTS"
  export SDL_AUDIODRIVER=dummy
  start_x_server "$size"
  GAME_FOLDER=$(make_game_folder "$build_dir")
  trap 'stop_x_server; rm -rf "$GAME_FOLDER"' EXIT
  cd "$GAME_FOLDER" || die "no working folder"
  # The settings of the run stay in its folder, never the user's own.
  export XDG_CONFIG_HOME="$GAME_FOLDER/config"
}

# The installed game as a player has it: installed from the build folder
# under a fresh staging folder with the prefix /usr, started from an empty
# working folder with a fresh HOME and XDG_DATA_HOME, on a private X server
# of the given size. Sets GAME, ROOT (the staging folder), RUN_FOLDER
# (scratch space outside the working folder) and ARTIFACTS.
begin_installed_run() {
  local build_dir size=$2
  build_dir=$(realpath "$1")
  ARTIFACTS="$build_dir/e2e-artifacts"
  mkdir -p "$ARTIFACTS"
  export SDL_AUDIODRIVER=dummy
  RUN_FOLDER=$(mktemp -d)
  trap 'stop_x_server; rm -rf "$RUN_FOLDER"' EXIT
  ROOT="$RUN_FOLDER/root"
  install_game "$build_dir" "$ROOT"
  GAME="$ROOT/usr/bin/kalup"
  mkdir "$RUN_FOLDER/home" "$RUN_FOLDER/work"
  export HOME="$RUN_FOLDER/home" XDG_DATA_HOME="$RUN_FOLDER/data"
  start_x_server "$size"
  cd "$RUN_FOLDER/work" || die "no working folder"
}

# cmake --install from the build folder into a staging folder, prefix /usr.
install_game() {
  DESTDIR="$2" cmake --install "$1" --prefix /usr > /dev/null || die "cmake --install failed"
}

# Starts the game in the background with the given arguments, its output
# added to the given log; run by the command in the array GAME_AS when set
# (e.g. as another user).
start_game() {
  local log=$1
  shift
  ${GAME_AS[@]+"${GAME_AS[@]}"} "$GAME" "$@" >> "$ARTIFACTS/$log" 2>&1 &
  GAME_PID=$!
}

# Presses Enter on the launcher and waits for the game window.
start_from_launcher() {
  local launcher
  launcher=$(wait_for_window "Welcome to Kalup Game!") || die "the launcher did not appear"
  sleep 0.5
  [[ -n ${1:-} ]] && screenshot "$1"
  xdotool windowfocus --sync "$launcher"
  xdotool key Return
  wait_for_window "Kalup" > /dev/null || die "the game window did not open"
}

# Starts Xvfb on a free display of the given size and exports DISPLAY.
start_x_server() {
  local size=$1 fd_file
  fd_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$fd_file" 2>/dev/null &
  XVFB_PID=$!
  for _ in $(seq 100); do [[ -s $fd_file ]] && break; sleep 0.1; done
  [[ -s $fd_file ]] || die "Xvfb did not start"
  export DISPLAY=":$(head -n1 "$fd_file")"
  rm -f "$fd_file"
}

stop_x_server() { [[ -n ${XVFB_PID:-} ]] && kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null || true; }

# A fresh working folder that holds the game's assets and nothing else.
make_game_folder() {
  local build_dir=$1 folder
  folder=$(mktemp -d)
  for entry in images fonts sounds music english.xml; do
    ln -s "$build_dir/$entry" "$folder/$entry"
  done
  echo "$folder"
}

# Space on the menu starts a classic game; the player finds a pair of like
# pieces on the 800 x 600 screen and clicks it, which must change the board.
# Screenshots are named after the given word.
play_a_classic_pair() {
  local name=$1 pair row col change
  xdotool key space
  # Let the pieces fly in and settle.
  sleep 3
  screenshot "$ARTIFACTS/$name-board.png"
  pair=$(/usr/bin/python3 "$E2E_DIR/find_pair.py" "$ARTIFACTS/$name-board.png")
  [[ -n $pair ]] || die "no pair of like pieces found on the board"
  read -r row col <<< "$pair"
  # The cell bands: column c answers at x = 48 + 64c, row r at y = 64r + 28.
  point_at $(( 48 + 64 * col )) $(( 64 * row + 28 ))
  xdotool click 1
  sleep 1
  screenshot "$ARTIFACTS/$name-after-click.png"
  change=$(image_difference "$ARTIFACTS/$name-board.png" "$ARTIFACTS/$name-after-click.png")
  at_least "$change" 0.02 || die "the click at row $row, column $col removed nothing (difference $change)"
}

# Waits for a window with exactly this title; prints its id.
wait_for_window() {
  local title=$1 id
  for _ in $(seq 150); do
    id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n1 || true)
    [[ -n $id ]] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# Waits up to the given tenths of a second (default 150) for the message
# box, the window titled "Kalup" that is not the 800 x 600 game window;
# prints its id.
wait_for_message_box() {
  local id width
  for _ in $(seq "${1:-150}"); do
    for id in $(xdotool search --onlyvisible --name '^Kalup$' 2>/dev/null); do
      width=$(xdotool getwindowgeometry --shell "$id" | sed -n 's/^WIDTH=//p')
      [[ -n $width && $width != 800 ]] && { echo "$id"; return 0; }
    done
    sleep 0.1
  done
  return 1
}

screenshot() { import -window root "$1"; }

# Spread of the pixel values: 0 for a screen of one colour.
image_spread() { convert "$1" -colorspace Gray -format '%[fx:standard_deviation]' info:; }

# Root-mean-square difference of two screenshots, 0..1.
image_difference() { compare -metric RMSE "$1" "$2" null: 2>&1 | sed -E 's/.*\((.*)\).*/\1/'; }

at_least() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a >= b) }'; }

# The game captures the pointer and sees only relative motion: push it far
# to the upper left (the game clamps it to 0,0), then walk to the target in
# small steps, each seen by a frame before the next.
point_at() {
  local x=$1 y=$2 step=40
  for _ in $(seq 8); do xdotool mousemove_relative -- -300 -300; sleep 0.05; done
  while (( x > 0 || y > 0 )); do
    local dx=$(( x < step ? x : step )) dy=$(( y < step ? y : step ))
    xdotool mousemove_relative -- "$dx" "$dy"
    x=$(( x - dx )); y=$(( y - dy ))
    sleep 0.05
  done
  sleep 0.2
}

# Waits up to the given seconds for a child process to end and sets
# EXIT_CODE; fails if it is still running then. Run it in the shell that
# started the process (not in $(...)), or wait cannot collect the code.
wait_for_exit() {
  local pid=$1 seconds=$2
  for _ in $(seq $(( seconds * 10 ))); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid"
      EXIT_CODE=$?
      return 0
    fi
    sleep 0.1
  done
  kill -9 "$pid" 2>/dev/null
  return 1
}

# Taps keys one by one, each seen by a frame of its own before the next.
press() { (( $# == 0 )) || xdotool key --delay 80 "$@"; }

# The word given, the given number of times.
repeat() { local n=$1 word=$2 i; for (( i = 0; i < n; ++i )); do printf '%s ' "$word"; done; }
