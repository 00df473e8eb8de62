#!/usr/bin/env bash
# The real game played on a virtual 2560 x 1440 screen. The launcher's
# default, full screen, shows the menu 2.4 times as large, so one window
# pixel is less than half a logical unit: sixty one-pixel nudges must carry
# the pointer into the first row, where a click starts a game. Escape, and
# F11 makes the menu the 800 x 600 window centred on the screen, the pointer
# kept on its row. There a classic pair is removed with the keyboard
# alone, and a survival round started with a click stands still while
# another window has the focus. F11 brings the full screen back, and F10
# quits with the record written. (A pair removed with the mouse on an
# 800 x 600 full screen: installed_game.sh.)
set -uo pipefail
source "$(dirname "$(realpath "$0")")/lib.sh"
begin_run "$1" 2560x1440
window_size() { xdotool getwindowgeometry --shell "$GAME_WINDOW" | awk -F= '/WIDTH|HEIGHT/ { printf "%s ", $2 }'; }

start_game desktop-play.log
start_from_launcher
sleep 2
screenshot "$ARTIFACTS/menu.png"
spread=$(image_spread "$ARTIFACTS/menu.png")
at_least "$spread" 0.05 || die "the full-screen menu looks blank (spread $spread)"

# Row 1 answers for logical y 262..322; its hovered strip swells up to y 272,
# where an idle strip leaves the backdrop showing.
row1_band() { SCREEN_AREA=960x16+480+653 screenshot "$ARTIFACTS/band-$1.png"; }
point_at 960 576 # logical (400, 240): above the row
row1_band above
for _ in $(seq 60); do xdotool mousemove_relative -- 0 1; sleep 0.03; done
sleep 0.3
row1_band nudged
xdotool mousemove_relative -- 0 84 # well inside the row, at logical y 300
sleep 0.5
row1_band inside
idle=$(image_difference "$ARTIFACTS/band-above.png" "$ARTIFACTS/band-inside.png")
nudged=$(image_difference "$ARTIFACTS/band-nudged.png" "$ARTIFACTS/band-inside.png")
echo "row 1 band difference idle $idle, after the nudges $nudged"
at_least "$idle" 0.05 || die "the hovered strip did not show where the idle one leaves the backdrop ($idle)"
at_least 0.01 "$nudged" || die "sixty one-pixel nudges did not bring the pointer into the row ($nudged)"
xdotool click 1
sleep 1.5
screenshot "$ARTIFACTS/playing.png"
change=$(image_difference "$ARTIFACTS/menu.png" "$ARTIFACTS/playing.png")
at_least "$change" 0.05 || die "the click on row 1 did not leave the menu (difference $change)"

# The window shows the logical screen 1:1 from (880, 420); Down and Up put
# the pointer in the middle of row 1, and F11 must keep it hovered.
xdotool key Escape
sleep 1
press Down Up
sleep 0.3
press F11
sleep 1
[[ $(window_size) == "800 600 " ]] || die "F11 left a window of $(window_size)"
SCREEN_AREA=560x8+1000+692 screenshot "$ARTIFACTS/band-kept.png"
press Down
sleep 0.5
SCREEN_AREA=560x8+1000+692 screenshot "$ARTIFACTS/band-left.png"
kept=$(image_difference "$ARTIFACTS/band-kept.png" "$ARTIFACTS/band-left.png")
at_least "$kept" 0.05 || die "after F11 the pointer no longer hovered row 1 ($kept)"

export SCREEN_AREA=800x600+880+420
play_a_classic_pair keyboard keys
xdotool key Escape
sleep 0.5

# A survival round, then the focus away for 3 s: the timer line at the top
# left stays the same and the frame is dimmed; with the focus back it runs on.
timer() { convert "$ARTIFACTS/$1.png" -crop 240x24+0+0 +repage "$ARTIFACTS/timer-$1.png"; }
brightness() { convert "$ARTIFACTS/$1.png" -colorspace Gray -format '%[fx:mean]' info:; }
point_at 400 454
xdotool click 1
sleep 2
screenshot "$ARTIFACTS/survival.png"
xmessage -geometry +100+100 "Somewhere else" 2>> "$ARTIFACTS/desktop-play.log" &
other_pid=$!
other=$(wait_for_window "xmessage") || die "the other window did not appear"
xdotool windowfocus --sync "$other"
sleep 0.5
screenshot "$ARTIFACTS/away-1.png"
sleep 3
screenshot "$ARTIFACTS/away-2.png"
timer away-1
timer away-2
still=$(image_difference "$ARTIFACTS/timer-away-1.png" "$ARTIFACTS/timer-away-2.png")
at_least 0 "$still" || die "the timer line changed while the window was without the focus ($still)"
running=$(brightness survival)
paused=$(brightness away-2)
echo "brightness running $running, paused $paused"
at_least "$(awk -v r="$running" 'BEGIN { print 0.7 * r }')" "$paused" || die "the paused frame is not dimmed"
xdotool windowfocus --sync "$GAME_WINDOW"
sleep 1.5
screenshot "$ARTIFACTS/back.png"
timer back
moved=$(image_difference "$ARTIFACTS/timer-away-2.png" "$ARTIFACTS/timer-back.png")
at_least "$moved" 0.01 || die "the round did not go on with the focus back ($moved)"
kill "$other_pid" 2>/dev/null

xdotool key Escape
sleep 0.5
press F11
sleep 1
[[ $(window_size) == "2560 1440 " ]] || die "F11 again left a window of $(window_size)"
SCREEN_AREA= screenshot "$ARTIFACTS/full-screen-again.png"
spread=$(image_spread "$ARTIFACTS/full-screen-again.png")
at_least "$spread" 0.05 || die "the full screen looks blank after switching back (spread $spread)"
xdotool key F10
expect_exit 0 "F10 on the menu"
expect_a_pairs_record hiscore.sav
