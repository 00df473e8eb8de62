# Shared steps of the end-to-end runs: a private X server, the game's
# working folder, windows, the captured pointer and screenshots.

E2E_DIR=$(dirname "$(realpath "${BASH_SOURCE[0]}")")

die() { echo "FAIL: $*" >&2; exit 1; }

# A private X server of the given size and a scratch folder RUN_FOLDER, both
# gone at the end, holding the run's settings (never the user's own) and
# OUT and ERR; logs and screenshots go to ARTIFACTS beside the build.
begin_scratch() {
  ARTIFACTS="$1/e2e-artifacts"
  mkdir -p "$ARTIFACTS"
  RUN_FOLDER=$(mktemp -d)
  export SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME="$RUN_FOLDER/config"
  # The pictures and texts checked are the English ones, whatever the tester's locale.
  unset LANGUAGE LC_ALL LC_MESSAGES
  export LANG=C.UTF-8
  OUT="$RUN_FOLDER/out" ERR="$RUN_FOLDER/err"
  local number
  # Xvfb writes its display number once it is ready, or closes the pipe if it fails.
  mkfifo "$RUN_FOLDER/display"
  Xvfb -displayfd 3 -screen 0 "${2}x24" -nolisten tcp -noreset 3>"$RUN_FOLDER/display" 2>/dev/null &
  XVFB_PID=$!
  trap 'kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null; rm -rf "$RUN_FOLDER"' EXIT
  read -r -t 10 number < "$RUN_FOLDER/display" || die "Xvfb did not start"
  export DISPLAY=":$number"
}

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

# The game as a player has it: installed into ROOT with the prefix /usr,
# started from an empty working folder with a fresh HOME and XDG_DATA_HOME.
begin_installed_run() {
  BUILD=$(realpath "$1")
  begin_scratch "$BUILD" "$2"
  ROOT="$RUN_FOLDER/root"
  DESTDIR="$ROOT" cmake --install "$1" --prefix /usr > /dev/null || die "cmake --install failed"
  GAME="$ROOT/usr/bin/kalup"
  mkdir "$RUN_FOLDER/home" "$RUN_FOLDER/work"
  export HOME="$RUN_FOLDER/home" XDG_DATA_HOME="$RUN_FOLDER/data"
  cd "$RUN_FOLDER/work" || die "no working folder"
}

# installed_files BINDIR ID: the files of an install besides its manual
# page, one a line: the game, desktop entry, metainfo, icons, every asset
# (the fonts are links to the system's: font_links lists them).
installed_files() {
  local size
  echo "$1/kalup"
  echo "usr/share/applications/$2.desktop"
  echo "usr/share/metainfo/$2.metainfo.xml"
  for size in 16 32 48 64 128 256 512; do echo "usr/share/icons/hicolor/${size}x$size/apps/$2.png"; done
  (cd "$E2E_DIR/../../assets" && find . -type f | sed 's|^\./|usr/share/games/kalup/|')
}
font_links() { printf 'usr/share/games/kalup/fonts/%s\n' cristal.ttf dscoptic.ttf jura.otf kaffeesatz.otf; }

# run_expecting CODE WHAT COMMAND...: stdout to OUT, stderr to ERR.
run_expecting() {
  "${@:3}" > "$OUT" 2> "$ERR"
  local code=$?
  [[ $code == "$1" ]] || die "$2 ended with exit code $code"
}

# start_game LOG ARGS...: the game in the background, run by GAME_AS if set.
start_game() {
  ${GAME_AS[@]+"${GAME_AS[@]}"} "$GAME" "${@:2}" >> "$ARTIFACTS/$1" 2>&1 &
  GAME_PID=$!
}

# The application id of a desktop entry: its file name.
app_id_of() { basename "$1" .desktop; }

# expect_desktop_identity WINDOW WHAT ID: the window's class is the
# application id, its instance the program's name, and it carries an icon.
expect_desktop_identity() {
  local class icon
  class=$(xprop -id "$1" WM_CLASS | sed 's/^[^=]*= //')
  [[ $class == "\"kalup\", \"$3\"" ]] || die "$2 has the class $class, not kalup, $3"
  icon=$(xprop -id "$1" -notype 32c _NET_WM_ICON | head -c 100)
  [[ $icon =~ ^_NET_WM_ICON\ =\ ([0-9]+),\ ([0-9]+), && ${BASH_REMATCH[1]} -ge 16 && ${BASH_REMATCH[2]} -ge 16 ]] \
    || die "$2 has no icon: ${icon:0:60}"
}

# start_game, and the launcher closed by its close box as soon as it shows.
start_and_close_launcher() {
  local launcher
  start_game "$@"
  launcher=$(wait_for_window "Welcome to Kalup Game!") || die "the launcher did not appear"
  sleep 0.5
  xdotool windowclose "$launcher"
}

# start_game, and Enter on the launcher opens the game window, GAME_WINDOW;
# with APP_ID set, both windows must be known to the desktop by it.
start_from_launcher() {
  local launcher
  start_game "$@"
  launcher=$(wait_for_window "Welcome to Kalup Game!") || die "the launcher did not appear"
  [[ -z ${APP_ID:-} ]] || expect_desktop_identity "$launcher" "the launcher" "$APP_ID"
  sleep 0.5
  xdotool windowfocus --sync "$launcher"
  xdotool key Return
  GAME_WINDOW=$(wait_for_window "Kalup") || die "the game window did not open"
  [[ -z ${APP_ID:-} ]] || expect_desktop_identity "$GAME_WINDOW" "the game window" "$APP_ID"
}

# Waits up to 15 s for a window with exactly this title; prints its id. The
# search ends on an X error when a window it listed is gone before it looks
# inside (a window manager's frame, as the launcher closes): it searches again.
wait_for_window() {
  local end=$(( SECONDS + 15 ))
  while (( SECONDS < end )); do
    timeout $(( end - SECONDS )) xdotool search --sync --limit 1 --onlyvisible --name "^$1\$" 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}

# Waits up to the given tenths of a second (default 150) for the message box,
# the window titled "Kalup" that is not the 800 x 600 game; prints its id.
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

# expect_exit CODE WHAT: the game started last, ended by WHAT, ends with CODE.
expect_exit() {
  timeout 20 tail --pid="$GAME_PID" -s 0.1 -f /dev/null || { kill -9 "$GAME_PID"; die "$2 did not end the game"; }
  wait "$GAME_PID"
  local code=$?
  [[ $code == "$1" ]] || die "$2 ended the game with exit code $code"
}

# screenshot NAME: the screen, or its part WxH+X+Y in SCREEN_AREA, in ARTIFACTS.
screenshot() { import -window root ${SCREEN_AREA:+-crop "$SCREEN_AREA" +repage} "$ARTIFACTS/$1.png"; }

at_least() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a >= b) }'; }

# A screenshot of the given name that must not be of one colour.
expect_not_blank() {
  local spread
  screenshot "$1"
  spread=$(convert "$ARTIFACTS/$1.png" -colorspace Gray -format '%[fx:standard_deviation]' info:)
  at_least "$spread" 0.05 || die "$2 looks blank (spread $spread)"
}

# Two screenshots whose root-mean-square difference (0..1) must be at least
# (expect_changed) or at most (expect_same) the given one.
difference() { compare -metric RMSE "$ARTIFACTS/$1.png" "$ARTIFACTS/$2.png" null: 2>&1 | sed -E 's/.*\((.*)\).*/\1/'; }
expect_changed() { local d; d=$(difference "$1" "$2"); at_least "$d" "$3" || die "$4 ($d)"; }
expect_same() { local d; d=$(difference "$1" "$2"); at_least "$3" "$d" || die "$4 ($d)"; }

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

# press_and_wait SECONDS KEYS...: each key seen by a frame of its own.
press_and_wait() {
  xdotool key --delay 80 "${@:2}"
  sleep "$1"
}

# The word given, the given number of times.
repeat() { local n=$1 word=$2 i; for (( i = 0; i < n; ++i )); do printf '%s ' "$word"; done; }

# play_a_classic_pair NAME [keys]: from the menu a classic game starts (space,
# or Up and Enter from the second row) and a pair of like pieces found on the
# 800 x 600 screen is removed by the mouse or the keys, changing the board.
play_a_classic_pair() {
  local name=$1 by=${2:-mouse} pair row col
  # The pieces settle, in SETTLE_SECONDS (3 unless set) of frames.
  if [[ $by == keys ]]; then press_and_wait "${SETTLE_SECONDS:-3}" Up Return; else press_and_wait "${SETTLE_SECONDS:-3}" space; fi
  screenshot "$name-board"
  pair=$(/usr/bin/python3 "$E2E_DIR/find_pair.py" "$ARTIFACTS/$name-board.png")
  [[ -n $pair ]] || die "no pair of like pieces found on the board"
  read -r row col <<< "$pair"
  if [[ $by == keys ]]; then
    # Nine Ups and twelve Lefts end on the corner cell from any cell, the
    # arrows staying on the board; the pair is row Downs and col Rights away.
    press_and_wait 0.5 $(repeat 9 Up) $(repeat 12 Left) $(repeat "$row" Down) $(repeat "$col" Right)
    press_and_wait 1 Return
  else
    # The cell bands: column c answers at x = 48 + 64c, row r at y = 64r + 28.
    point_at $(( 48 + 64 * col )) $(( 64 * row + 28 ))
    xdotool click 1
    sleep 1
  fi
  screenshot "$name-after"
  expect_changed "$name-board" "$name-after" 0.02 "removing the pair at row $row, column $col by $by changed nothing"
}

# The record file holds the record of at least one pair and the other two
# slots at 0, each line ending in CR LF.
expect_a_pairs_record() {
  local record
  record=$(head -n1 "$1" | tr -d '\r')
  [[ $record =~ ^[0-9]+$ ]] && (( record >= 4 )) && cmp -s "$1" <(printf '%s\r\n0\r\n0\r\n' "$record") \
    || die "after removing a pair the record file holds: $(od -c "$1" | head -n2)"
}
