# Shared steps of the end-to-end runs: a private X server, the game's
# working folder, windows, the captured pointer and screenshots.

E2E_DIR=$(dirname "$(realpath "${BASH_SOURCE[0]}")")

die() { echo "FAIL: $*" >&2; exit 1; }

# A private X server of the given size and a scratch folder RUN_FOLDER, both
# gone at the end; logs and screenshots go to ARTIFACTS beside the build.
begin_scratch() {
  ARTIFACTS="$1/e2e-artifacts"
  mkdir -p "$ARTIFACTS"
  export SDL_AUDIODRIVER=dummy
  RUN_FOLDER=$(mktemp -d)
  trap 'stop_x_server; rm -rf "$RUN_FOLDER"' EXIT
  # The settings of the run stay in its folder, never the user's own.
  export XDG_CONFIG_HOME="$RUN_FOLDER/config"
  local fd_file="$RUN_FOLDER/display"
  Xvfb -displayfd 3 -screen 0 "${2}x24" -nolisten tcp -noreset 3>"$fd_file" 2>/dev/null &
  XVFB_PID=$!
  for _ in $(seq 100); do [[ -s $fd_file ]] && break; sleep 0.1; done
  [[ -s $fd_file ]] || die "Xvfb did not start"
  export DISPLAY=":$(head -n1 "$fd_file")"
  rm "$fd_file"
}

stop_x_server() { [[ -n ${XVFB_PID:-} ]] && kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null || true; }

# The built game GAME, started from RUN_FOLDER, which holds links to the
# game's assets and nothing else.
begin_run() {
  GAME=$(realpath "$1")
  begin_scratch "$(dirname "$GAME")" "$2"
  for entry in images fonts sounds music english.xml; do
    ln -s "$(dirname "$GAME")/$entry" "$RUN_FOLDER/$entry"
  done
  cd "$RUN_FOLDER" || die "no working folder"
}

# The game as a player has it: installed from the build folder into ROOT
# with the prefix /usr, started from an empty working folder with a fresh
# HOME and XDG_DATA_HOME.
begin_installed_run() {
  begin_scratch "$(realpath "$1")" "$2"
  ROOT="$RUN_FOLDER/root"
  DESTDIR="$ROOT" cmake --install "$1" --prefix /usr > /dev/null || die "cmake --install failed"
  GAME="$ROOT/usr/bin/kalup"
  mkdir "$RUN_FOLDER/home" "$RUN_FOLDER/work"
  export HOME="$RUN_FOLDER/home" XDG_DATA_HOME="$RUN_FOLDER/data"
  cd "$RUN_FOLDER/work" || die "no working folder"
}

# The files an install of the game holds besides its manual page, one a
# line: the game in the given folder, its desktop entry, metainfo and icons
# under the given application id, and every asset.
installed_files() {
  local size
  echo "$1/kalup"
  echo "usr/share/applications/$2.desktop"
  echo "usr/share/metainfo/$2.metainfo.xml"
  for size in 16 32 48 64 128 256 512; do echo "usr/share/icons/hicolor/${size}x$size/apps/$2.png"; done
  (cd "$E2E_DIR/../../assets" && find . -type f | sed 's|^\./|usr/share/kalup/|')
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

# Presses Enter on the launcher and waits for the game window, GAME_WINDOW.
start_from_launcher() {
  local launcher
  launcher=$(wait_for_window "Welcome to Kalup Game!") || die "the launcher did not appear"
  sleep 0.5
  xdotool windowfocus --sync "$launcher"
  xdotool key Return
  GAME_WINDOW=$(wait_for_window "Kalup") || die "the game window did not open"
}

# Waits for a window with exactly this title; prints its id.
wait_for_window() {
  local id
  for _ in $(seq 150); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1 || true)
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

# Waits for the game to end with the given exit code; the second argument
# says what should have ended it. Run it in the shell that started the game.
expect_exit() {
  for _ in $(seq 200); do
    if ! kill -0 "$GAME_PID" 2>/dev/null; then
      wait "$GAME_PID"
      local code=$?
      [[ $code == "$1" ]] || die "$2 ended the game with exit code $code"
      return 0
    fi
    sleep 0.1
  done
  kill -9 "$GAME_PID" 2>/dev/null
  die "$2 did not end the game"
}

# The screen, or the part of it given as WIDTHxHEIGHT+X+Y in SCREEN_AREA.
screenshot() { import -window root ${SCREEN_AREA:+-crop "$SCREEN_AREA" +repage} "$1"; }

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

# Taps keys one by one, each seen by a frame of its own before the next.
press() { (( $# == 0 )) || xdotool key --delay 80 "$@"; }

# The word given, the given number of times.
repeat() { local n=$1 word=$2 i; for (( i = 0; i < n; ++i )); do printf '%s ' "$word"; done; }

# From the menu a classic game starts (space, or with "keys" Up and Enter
# from the second row), the player finds a pair of like pieces on the
# 800 x 600 screen and removes it with the mouse or the keys, which must
# change the board. Screenshots are named after the given word.
play_a_classic_pair() {
  local name=$1 by=${2:-mouse} pair row col change
  if [[ $by == keys ]]; then press Up Return; else xdotool key space; fi
  sleep 3 # the pieces fly in and settle
  screenshot "$ARTIFACTS/$name-board.png"
  pair=$(/usr/bin/python3 "$E2E_DIR/find_pair.py" "$ARTIFACTS/$name-board.png")
  [[ -n $pair ]] || die "no pair of like pieces found on the board"
  read -r row col <<< "$pair"
  if [[ $by == keys ]]; then
    # Nine Ups and twelve Lefts end on the corner cell from any cell, the
    # arrows staying on the board; the pair is row Downs and col Rights away.
    press $(repeat 9 Up) $(repeat 12 Left) $(repeat "$row" Down) $(repeat "$col" Right)
    sleep 0.5
    press Return
  else
    # The cell bands: column c answers at x = 48 + 64c, row r at y = 64r + 28.
    point_at $(( 48 + 64 * col )) $(( 64 * row + 28 ))
    xdotool click 1
  fi
  sleep 1
  screenshot "$ARTIFACTS/$name-after.png"
  change=$(image_difference "$ARTIFACTS/$name-board.png" "$ARTIFACTS/$name-after.png")
  at_least "$change" 0.02 || die "removing the pair at row $row, column $col by $by changed nothing ($change)"
}

# The record file holds the record of at least one pair and the other two
# slots at 0, each line ending in CR LF.
expect_a_pairs_record() {
  local record
  record=$(head -n1 "$1" | tr -d '\r')
  [[ $record =~ ^[0-9]+$ ]] && (( record >= 4 )) && cmp -s "$1" <(printf '%s\r\n0\r\n0\r\n' "$record") \
    || die "after removing a pair the record file holds: $(od -c "$1" | head -n2)"
}
