#!/usr/bin/env bash
# What a desktop does to the record and the settings: the player's backup
# beside the record, a FIFO in the record's and the settings' place, two
# copies of the game quitting one after the other, a copy of the game in a
# folder the player cannot write, the process stopped and continued in a
# survival round, and at last the X server going away during play.
set -uo pipefail
source "$(dirname "$(realpath "$0")")/lib.sh"
begin_run "$1" 800x600
# Two copies of the game, or a sanitizer build elsewhere, slow the deal down.
SETTLE_SECONDS=6

# start_window LOG: the game in a window, no launcher; its window in GAME_WINDOW.
start_window() {
  start_game "$1" --window
  GAME_WINDOW=$(timeout 15 xdotool search --sync --all --limit 1 --onlyvisible --pid "$GAME_PID" --name '^Kalup$' 2>/dev/null) \
    || die "the game window did not open ($1)"
  sleep 1.5
}

# The player's own files beside the record, whatever their names, stay; so
# does a temporary file of the game's own pattern while it is fresh.
printf '40\r\n0\r\n0\r\n' > hiscore.sav
cp hiscore.sav hiscore.sav.backup
printf 'mine\n' > hiscore.sav.250101
printf 'mine\n' > .hiscore.sav.tmp-Fresh1
start_window backup.log
xdotool key F10
expect_exit 0 "F10 with a backup beside the record"
for name in hiscore.sav.backup hiscore.sav.250101 .hiscore.sav.tmp-Fresh1; do
  [[ -f $name ]] || die "$name was removed"
done
cmp -s hiscore.sav.backup <(printf '40\r\n0\r\n0\r\n') || die "the backup was changed"
cmp -s hiscore.sav hiscore.sav.backup || die "the record changed: $(od -c hiscore.sav | head -n2)"
rm hiscore.sav hiscore.sav.backup hiscore.sav.250101 .hiscore.sav.tmp-Fresh1

# A FIFO in the record's place and in the settings' place (and where an
# older save put its temporary file): the window draws, M and F10 answer,
# each is said once with its reason, and all stay.
mkfifo hiscore.sav
mkdir -p "$XDG_CONFIG_HOME/kalup"
mkfifo "$XDG_CONFIG_HOME/kalup/settings" "$XDG_CONFIG_HOME/kalup/settings.new"
: > "$ARTIFACTS/fifo.log"
start_window fifo.log
expect_not_blank fifo-menu "the menu with a FIFO for a record"
press_and_wait 0.5 m
xdotool key F10
expect_exit 0 "F10 with FIFOs for the record and the settings"
[[ -p hiscore.sav && -p $XDG_CONFIG_HOME/kalup/settings && -p $XDG_CONFIG_HOME/kalup/settings.new ]] \
  || die "a FIFO was replaced"
grep -qF "cannot read the record hiscore.sav (it is not a regular file)" "$ARTIFACTS/fifo.log" \
  || die "the FIFO record was not reported: $(cat "$ARTIFACTS/fifo.log")"
grep -qF "settings could not be saved in $XDG_CONFIG_HOME/kalup/settings: it is not a regular file" \
  "$ARTIFACTS/fifo.log" || die "the FIFO settings were not reported: $(cat "$ARTIFACTS/fifo.log")"
rm hiscore.sav "$XDG_CONFIG_HOME/kalup/settings" "$XDG_CONFIG_HOME/kalup/settings.new"

# Two copies: the second starts with the old record and quits last; the
# first sets a record meanwhile, which must stay. The second stands stopped
# while the first is played (it let go of the pointer when the first took
# the focus), so the two never share the machine or the keyboard.
printf '0\r\n5\r\n6\r\n' > hiscore.sav
start_window two-copies-second.log
second=$GAME_PID second_window=$GAME_WINDOW
start_window two-copies-first.log
xdotool windowfocus --sync "$GAME_WINDOW"
sleep 0.5
kill -STOP "$second"
play_a_classic_pair two-copies
press_and_wait 0.5 Escape
xdotool key F10
expect_exit 0 "F10 on the first copy"
record=$(head -n1 hiscore.sav | tr -d '\r')
(( record >= 4 )) || die "the first copy saved no record: $(od -c hiscore.sav | head -n2)"
GAME_PID=$second
kill -CONT "$second"
xdotool windowfocus --sync "$second_window"
sleep 0.5
xdotool key F10
expect_exit 0 "F10 on the second copy"
cmp -s hiscore.sav <(printf '%s\r\n5\r\n6\r\n' "$record") \
  || die "the second copy wrote over the first one's record: $(od -c hiscore.sav | head -n2)"
rm hiscore.sav

# A copy of the game in a folder the player cannot write: played from there,
# it keeps the record among the player's data files. Root writes anywhere,
# so then the player is user nobody.
mkdir -p readonly player
cp "$GAME" readonly/kalup
for entry in images fonts sounds music english.xml; do cp -rL "$entry" "readonly/$entry"; done
chmod -R a+rX,a-w readonly
chmod 0777 player
chmod 0755 "$RUN_FOLDER"
files_before=$(cd readonly && find . -printf '%p %s %T@\n' | sort)
GAME_AS=()
[[ $(id -u) == 0 ]] && GAME_AS=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
cd readonly || die "no read-only folder"
GAME=$PWD/kalup
HOME=$RUN_FOLDER/player XDG_DATA_HOME=$RUN_FOLDER/player/data start_window readonly.log
play_a_classic_pair readonly
press_and_wait 0.5 Escape
xdotool key F10
expect_exit 0 "F10 in the read-only folder"
GAME_AS=()
expect_a_pairs_record "$RUN_FOLDER/player/data/kalup/hiscore.sav"
[[ $(find . -printf '%p %s %T@\n' | sort) == "$files_before" ]] || die "the game wrote into its read-only folder"
cd "$RUN_FOLDER" || die "no working folder"
chmod -R u+w readonly

# Stopped for 20 s early in a survival round and then continued: the
# survival clock goes on from where it stood and still shows one digit of
# seconds ("0 mins 3 secs"), where a clock that ran through the stop would
# show two, past 20, on a wider line.
timer_end() { SCREEN_AREA=240x24+0+0 screenshot "$1"; /usr/bin/python3 "$E2E_DIR/text_width.py" "$ARTIFACTS/$1.png"; }
start_window survival.log
point_at 400 454
xdotool click 1
sleep 1
before=$(timer_end survival-before)
(( before > 50 )) || die "no timer line in survival (it ends at $before)"
kill -STOP "$GAME_PID"
sleep 20
kill -CONT "$GAME_PID"
sleep 0.5
after=$(timer_end survival-continued)
(( after < before + 8 )) || die "the survival clock ran through the stop (its line ended at $before, then $after)"
xdotool key Escape
sleep 0.5
xdotool key F10
expect_exit 0 "F10 after the survival round"
rm -f hiscore.sav

# The X server goes away during play: the record on the screen is saved
# before the process ends. First as at a logout, SIGTERM and the server's
# end at once, then the server alone (a crash); each time a new server.
new_x_server() {
  local number
  rm -f "$RUN_FOLDER/display" && mkfifo "$RUN_FOLDER/display"
  Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp -noreset 3>"$RUN_FOLDER/display" 2>/dev/null &
  XVFB_PID=$!
  read -r -t 10 number < "$RUN_FOLDER/display" || die "Xvfb did not start again"
  export DISPLAY=":$number"
}
start_window logout.log
play_a_classic_pair logout
kill -TERM "$GAME_PID"
kill -KILL "$XVFB_PID"
timeout 20 tail --pid="$GAME_PID" -s 0.1 -f /dev/null || { kill -9 "$GAME_PID"; die "the logout did not end the game"; }
wait "$GAME_PID"
expect_a_pairs_record hiscore.sav
rm hiscore.sav

new_x_server
start_window display-lost.log
play_a_classic_pair display-lost
kill -KILL "$XVFB_PID"
expect_exit 1 "the X server killed during play"
expect_a_pairs_record hiscore.sav
grep -qF "connection to the display was lost" "$ARTIFACTS/display-lost.log" \
  || die "the lost display was not said: $(cat "$ARTIFACTS/display-lost.log")"
