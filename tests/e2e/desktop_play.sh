#!/usr/bin/env bash
# The real game on a virtual 2560 x 1440 screen. Full screen, the launcher's
# default, shows the menu 2.4 times as large, so a window pixel is less than
# half a logical unit: sixty one-pixel nudges must still carry the pointer
# into the first row. F11 to the window and back, one step for a key let go
# while the game stood still, a classic pair by the keys alone, a survival round standing still while another window has the
# focus, F10 with the record written. Both windows carry the desktop entry's
# class and an icon. (A pair by the mouse: installed_game.sh.)
set -uo pipefail
source "$(dirname "$(realpath "$0")")/lib.sh"
begin_run "$1" 2560x1440
# The desktop entry the build made: its name is the windows' class.
APP_ID=$(app_id_of "$(dirname "$GAME")"/desktop/*.desktop)
window_size() { xdotool getwindowgeometry --shell "$GAME_WINDOW" | awk -F= '/WIDTH|HEIGHT/ { printf "%s ", $2 }'; }

start_from_launcher desktop-play.log
sleep 2
expect_not_blank menu "the full-screen menu"

# Row 1 answers for logical y 262..322; its hovered strip swells up to y 272,
# where an idle strip leaves the backdrop showing.
row1_band() { SCREEN_AREA=960x16+480+653 screenshot "band-$1"; }
point_at 960 576 # logical (400, 240): above the row
row1_band above
for _ in $(seq 60); do xdotool mousemove_relative -- 0 1; sleep 0.03; done
sleep 0.3
row1_band nudged
xdotool mousemove_relative -- 0 84 # well inside the row, at logical y 300
sleep 0.5
row1_band inside
expect_changed band-above band-inside 0.05 "the hovered strip did not show where the idle one leaves the backdrop"
expect_same band-nudged band-inside 0.01 "sixty one-pixel nudges did not bring the pointer into the row"
xdotool click 1
sleep 1.5
screenshot playing
expect_changed menu playing 0.05 "the click on row 1 did not leave the menu"

# The window shows the logical screen 1:1 from (880, 420); Down and Up put
# the pointer in the middle of row 1, and F11 must keep it hovered.
press_and_wait 1 Escape
press_and_wait 0.3 Down Up
press_and_wait 1 F11
[[ $(window_size) == "800 600 " ]] || die "F11 left a window of $(window_size)"
SCREEN_AREA=560x8+1000+692 screenshot band-kept
press_and_wait 0.5 Down
SCREEN_AREA=560x8+1000+692 screenshot band-left
expect_changed band-kept band-left 0.05 "after F11 the pointer no longer hovered row 1"

# One tap, one step: Down goes up again while the game stands still for
# longer than the repeat delay (stopped for 0.6 s, as in a slow frame), and
# the pointer goes from row 1 to row 2 only. A hovered strip swells: at
# y 366..372 (row 2) and 446..452 (row 3) its picture differs.
row2_strip() { SCREEN_AREA=560x6+1000+786 screenshot "row2-$1"; }
row3_strip() { SCREEN_AREA=560x6+1000+866 screenshot "row3-$1"; }
row2_strip hovered
row3_strip idle
press_and_wait 0.5 Up
xdotool keydown Down
sleep 0.3
kill -STOP "$GAME_PID"
xdotool keyup Down
sleep 0.6
kill -CONT "$GAME_PID"
sleep 0.5
row2_strip after-stall
row3_strip after-stall
expect_same row2-hovered row2-after-stall 0.01 "a key let go while the game stood still did not step to row 2"
expect_same row3-idle row3-after-stall 0.01 "a key let go while the game stood still stepped on to row 3"
press_and_wait 0.5 Down
row3_strip hovered
expect_changed row3-idle row3-hovered 0.05 "row 3 hovered looks as idle: the check above proves nothing"
press_and_wait 0.5 Up

export SCREEN_AREA=800x600+880+420
play_a_classic_pair keyboard keys
press_and_wait 0.5 Escape

# A survival round, then the focus away for 3 s: the timer line at the top
# left stays the same and the frame is dimmed; with the focus back it runs on.
timer() { SCREEN_AREA=240x24+880+420 screenshot "timer-$1"; }
brightness() { convert "$ARTIFACTS/$1.png" -colorspace Gray -format '%[fx:mean]' info:; }
point_at 400 454
xdotool click 1
sleep 2
screenshot survival
xmessage -geometry +100+100 "Somewhere else" 2>> "$ARTIFACTS/desktop-play.log" &
other_pid=$!
other=$(wait_for_window "xmessage") || die "the other window did not appear"
xdotool windowfocus --sync "$other"
sleep 0.5
timer away-1
sleep 3
screenshot away-2
timer away-2
expect_same timer-away-1 timer-away-2 0 "the timer line changed while the window was without the focus"
running=$(brightness survival) paused=$(brightness away-2)
at_least "$(awk -v r="$running" 'BEGIN { print 0.7 * r }')" "$paused" \
  || die "the paused frame is not dimmed ($paused against $running running)"
xdotool windowfocus --sync "$GAME_WINDOW"
sleep 1.5
timer back
expect_changed timer-away-2 timer-back 0.01 "the round did not go on with the focus back"
kill "$other_pid" 2>/dev/null

press_and_wait 0.5 Escape
press_and_wait 1 F11
[[ $(window_size) == "2560 1440 " ]] || die "F11 again left a window of $(window_size)"
SCREEN_AREA= expect_not_blank full-screen-again "the full screen after switching back"
xdotool key F10
expect_exit 0 "F10 on the menu"
expect_a_pairs_record hiscore.sav
