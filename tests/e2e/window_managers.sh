#!/usr/bin/env bash
# The real game on a virtual 1920 x 1080 screen, first with no window
# manager and then under three that players have, one after the other:
# - none: a window made 1200 x 1000 shows the logical screen letterboxed in it;
# - metacity: full screen from the launcher covers the screen, mapped,
#   focused, undecorated and above another window; F11 gives the 800 x 600
#   window, framed; F11 again the full screen;
# - openbox: minimised and restored, the window holds the mouse again, so
#   the pointer steers and a click lands;
# - xfwm4: the window's close button, clicked while another window has the
#   focus, quits in order (during a round too) with the record saved, as F10 does.
set -uo pipefail
source "$(dirname "$(realpath "$0")")/lib.sh"
begin_run "$1" 1920x1080

# wait_until WHAT COMMAND...: the command succeeds within 15 s, or WHAT
# fails the run, with what is known of the game window then.
wait_until() {
  local i
  for (( i = 0; i < 75; ++i )); do "${@:2}" && return 0; sleep 0.2; done
  [[ -n ${GAME_WINDOW:-} ]] && die "$1 (the game window: $(geometry), $(wm_state), $(net_wm_state))"
  die "$1"
}

# The window manager's own name, as it announces itself on the root window.
managed_by() {
  local check
  check=$(xprop -root -notype _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -o '0x[0-9a-f]*$') \
    && xprop -id "$check" -notype _NET_WM_NAME 2>/dev/null | grep -qi "\"$1\""
}
# start_window_manager NAME COMMAND...
start_window_manager() {
  "${@:2}" >> "$ARTIFACTS/window-managers.log" 2>&1 &
  WM_PID=$!
  wait_until "$1 did not start" managed_by "$1"
}
# A session bus started for the window manager goes with it.
stop_window_manager() { pkill -P "$WM_PID"; kill "$WM_PID" 2>/dev/null; wait "$WM_PID" 2>/dev/null || true; }

# What the window manager and the X server say of the game window.
geometry() {
  xwininfo -id "$GAME_WINDOW" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
    /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }'
}
viewable() { xwininfo -id "$GAME_WINDOW" | grep -q 'Map State: IsViewable'; }
wm_state() { xprop -id "$GAME_WINDOW" WM_STATE | sed -n 's/.*window state: //p'; }
net_wm_state() { xprop -id "$GAME_WINDOW" -notype _NET_WM_STATE; }
frame_extents() { xprop -id "$GAME_WINDOW" -notype _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ,; }
has_focus() { [[ $(xdotool getwindowfocus) == "$1" ]]; }
topmost() { xprop -root -notype _NET_CLIENT_LIST_STACKING | grep -qE "$(printf '0x%x' "$GAME_WINDOW")\$"; }
pointer_held() { [[ $(/usr/bin/python3 "$E2E_DIR/pointer_grab.py") == held ]]; }
pointer_free() { ! pointer_held; }
# pointer_stays_at X Y: moved there, the pointer is still there a moment later.
pointer_stays_at() {
  xdotool mousemove "$1" "$2"
  sleep 0.2
  [[ $(xdotool getmouselocation --shell | sed -n 's/^[XY]=//p' | paste -sd ' ') == "$1 $2" ]]
}

# No frame: its extents are all 0, or were never set, as a window shown full
# screen from the start was never framed.
unframed() { [[ $(frame_extents) == "0 0 0 0" || -z $(frame_extents) ]]; }
covers_the_screen() {
  [[ $(geometry) == "0 0 1920 1080" && $(wm_state) == Normal ]] && unframed && viewable \
    && has_focus "$GAME_WINDOW" && topmost && net_wm_state | grep -q FULLSCREEN && ! net_wm_state | grep -q HIDDEN
}
framed_window() {
  local left right top bottom
  read -r left right top bottom <<< "$(frame_extents)"
  [[ $(geometry) == *" 800 600" && $(wm_state) == Normal ]] && (( ${top:-0} > 0 )) && viewable \
    && has_focus "$GAME_WINDOW" && ! net_wm_state | grep -qE 'FULLSCREEN|MAXIMIZED|HIDDEN'
}

not_blank() {
  screenshot "$1"
  at_least "$(convert "$ARTIFACTS/$1.png" -colorspace Gray -format '%[fx:standard_deviation]' info:)" 0.05
}
# black NAME AREA...: those parts of the screenshot NAME are black.
black() {
  local area
  for area in "${@:2}"; do
    at_least 0.02 "$(convert "$ARTIFACTS/$1.png" -crop "$area" +repage -format '%[fx:maxima]' info:)" || return 1
  done
}
# bars NAME AREA...: a screenshot NAME whose given parts are black.
bars() { screenshot "$1" && black "$@"; }
# wait_for_change BEFORE AFTER WHAT: screenshots AFTER until it differs from BEFORE.
differs() { screenshot "$2"; at_least "$(difference "$1" "$2")" 0.05; }
wait_for_change() { wait_until "$3" differs "$1" "$2"; }

# No window manager: the window is made larger than asked, and not 4:3.
# 1200 x 1000 fits the screen as 1200 x 900, 50 rows of black above and
# below; sampled back to 800 x 600 it is the picture of the 800 x 600 window.
start_game bare.log --window
GAME_WINDOW=$(wait_for_window "Kalup") || die "--window opened no game window"
export SCREEN_AREA=800x600+0+0
wait_until "the 800 x 600 window stayed blank" not_blank bare-800
xdotool windowsize --sync "$GAME_WINDOW" 1200 1000
SCREEN_AREA=1200x1000+0+0 wait_until "the 1200 x 1000 window has no black bars above and below" \
  bars bare-1200 1200x50+0+0 1200x50+0+950
# The menu's rows of the second and third mode stand still; the title and gears move.
rows() { convert "$ARTIFACTS/$1.png" "${@:3}" -crop 360x120+200+355 +repage "$ARTIFACTS/$2.png"; }
rows bare-800 bare-800-rows
rows bare-1200 bare-1200-rows -crop 1200x900+0+50 +repage -sample 800x600
expect_same bare-800-rows bare-1200-rows 0.05 "the 1200 x 1000 window does not show the logical screen letterboxed"
xdotool key F10
expect_exit 0 "F10 in the window made larger"
unset SCREEN_AREA

# metacity: full screen from the launcher's default, above another window
# that stands in what must be the black bar on the left.
# The game window is never framed on the way there (a frame taken away again
# would flash by): the X server reports every window put into a frame.
start_window_manager metacity metacity --sm-disable
stdbuf -oL xev -root -event substructure > "$ARTIFACTS/metacity-windows.log" 2>&1 &
xev_pid=$!
xmessage -geometry +40+40 "Somewhere else" 2>> "$ARTIFACTS/window-managers.log" &
other_pid=$!
wait_for_window "xmessage" > /dev/null || die "the other window did not appear"
wait_until "the X server's reports of the windows were not heard" grep -q MapNotify "$ARTIFACTS/metacity-windows.log"
start_from_launcher metacity.log
wait_until "under metacity the full screen does not cover the screen" covers_the_screen
kill "$xev_pid"
! grep -q "window $(printf '0x%x' "$GAME_WINDOW"), parent" "$ARTIFACTS/metacity-windows.log" \
  || die "under metacity the full screen from the launcher was framed first"
wait_until "the full screen has no black bars left and right, over the other window" \
  bars metacity-full 240x1080+0+0 240x1080+1680+0
SCREEN_AREA=1440x1080+240+0 expect_not_blank metacity-full-picture "the full-screen picture"
xdotool key F11
wait_until "under metacity F11 did not give the framed 800 x 600 window" framed_window
read -r x y _ <<< "$(geometry)"
SCREEN_AREA=800x600+$x+$y wait_until "the window after full screen stayed blank" not_blank metacity-window
xdotool key F11
wait_until "under metacity F11 again did not cover the screen" covers_the_screen
xdotool key F10
expect_exit 0 "F10 under metacity"
# --fullscreen, without the launcher, goes the same way: never framed.
unset GAME_WINDOW
stdbuf -oL xev -root -event substructure > "$ARTIFACTS/metacity-direct-windows.log" 2>&1 &
xev_pid=$!
other_window=$(wait_for_window "xmessage") || die "the other window went away"
wait_until "the X server's reports of the windows were not heard again" \
  eval 'xdotool windowmove "$other_window" $((40 + RANDOM % 40)) 60; grep -q ConfigureNotify "$ARTIFACTS/metacity-direct-windows.log"'
start_game metacity-direct.log --fullscreen
GAME_WINDOW=$(wait_for_window "Kalup") || die "--fullscreen opened no game window under metacity"
wait_until "under metacity --fullscreen does not cover the screen" covers_the_screen
kill "$xev_pid"
! grep -q "window $(printf '0x%x' "$GAME_WINDOW"), parent" "$ARTIFACTS/metacity-direct-windows.log" \
  || die "under metacity --fullscreen was framed first"
xdotool key F10
expect_exit 0 "F10 under metacity after --fullscreen"
kill "$other_pid"
stop_window_manager

# openbox: the window away from the upper left, so a pointer that is not
# held leaves it when pushed there and misses the row.
start_window_manager openbox openbox
start_game openbox.log --window
GAME_WINDOW=$(wait_for_window "Kalup") || die "--window opened no game window under openbox"
wait_until "under openbox the window is not the framed 800 x 600 one" framed_window
xdotool windowmove "$GAME_WINDOW" 800 400
wait_until "openbox did not move the window" eval '[[ $(geometry) == 8??" "4??" 800 600" ]]'
# The window takes the mouse once the pointer rests over it.
read -r x y _ <<< "$(geometry)"
xdotool mousemove $(( x + 400 )) $(( y + 300 ))
wait_until "the window did not take the mouse" pointer_held
xdotool windowminimize --sync "$GAME_WINDOW"
wait_until "openbox did not minimise the window" eval '[[ $(wm_state) == Iconic ]]'
xdotool windowactivate "$GAME_WINDOW"
wait_until "openbox did not restore the window" framed_window
wait_until "the restored window did not take the mouse again" pointer_held
read -r x y _ <<< "$(geometry)"
export SCREEN_AREA=800x600+$x+$y
# Row 1 answers for logical y 262..322; its hovered strip swells up to
# y 272, where an idle strip leaves the backdrop showing.
row1_band() { SCREEN_AREA=400x6+$(( x + 67 ))+$(( y + 273 )) screenshot "openbox-band-$1"; }
row1_hovered() { row1_band inside && at_least "$(difference openbox-band-above openbox-band-inside)" 0.05; }
point_at 400 240
row1_band above
xdotool mousemove_relative -- 0 60
wait_until "after the restore the pointer did not reach row 1" row1_hovered
screenshot openbox-menu
xdotool click 1
wait_for_change openbox-menu openbox-playing "after the restore a click on row 1 did not leave the menu"
press_and_wait 0.5 Escape
xdotool key F10
expect_exit 0 "F10 under openbox"
stop_window_manager

# xfwm4 keeps its settings behind a session bus of its own.
start_window_manager xfwm4 env NO_AT_BRIDGE=1 dbus-run-session -- xfwm4 --compositor=off
xmessage -geometry +1300+100 "Somewhere else" 2>> "$ARTIFACTS/window-managers.log" &
other_pid=$!
other=$(wait_for_window "xmessage") || die "the other window did not appear under xfwm4"
close_while_away() {
  local left right top bottom
  start_game xfwm4.log --window
  GAME_WINDOW=$(wait_for_window "Kalup") || die "--window opened no game window under xfwm4"
  wait_until "under xfwm4 the window is not the framed 800 x 600 one" framed_window
  read -r x y _ <<< "$(geometry)"
  export SCREEN_AREA=800x600+$x+$y
  xdotool mousemove $(( x + 400 )) $(( y + 300 ))
  wait_until "under xfwm4 the window did not take the mouse" pointer_held
  [[ -n ${1:-} ]] && press_and_wait 1 space
  xdotool windowactivate "$other"
  wait_until "the other window did not take the focus" has_focus "$other"
  # Letting go of the mouse, the game puts the pointer back where it took it.
  wait_until "the game did not let go of the mouse" pointer_free
  # The close button is the last of the title bar's, at its right end.
  read -r left right top bottom <<< "$(frame_extents)"
  wait_until "the pointer did not stay on the close button" pointer_stays_at $(( x + 800 + right - 16 )) $(( y - top / 2 ))
  xdotool click 1
  expect_exit 0 "the close button clicked while another window had the focus"
}
# During a round: the game quits in order, so the record is written.
rm -f hiscore.sav
close_while_away playing
cmp -s hiscore.sav <(printf '0\r\n0\r\n0\r\n') || die "the close button left no record written"
# The press that focuses the window used to be taken from the window manager
# now and then: twice more on the menu.
close_while_away
close_while_away
kill "$other_pid"
stop_window_manager
