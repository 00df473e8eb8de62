#!/usr/bin/env bash
# Ways out and broken files on a bare X server, where a window has the
# keyboard only if the game asks for it: no display, the launcher closed by
# its close box or Escape, a language file without texts, quit signals during
# play and during its message box, and a record the player (another user)
# cannot read.
# (Without english.xml the folder would not be the game's.)
set -uo pipefail
source "$(dirname "$(realpath "$0")")/lib.sh"
begin_run "$1" 800x600
zero_record_saved() { cmp -s hiscore.sav <(printf '0\r\n0\r\n0\r\n') && rm hiscore.sav || die "$1 saved no record"; }
start_to_message_box() {
  start_from_launcher "$1"
  BOX=$(wait_for_message_box) || die "no message box: $2"
  sleep 0.5
}
expect_dismissed_by() {
  xdotool key "$1"
  sleep 1
  wait_for_message_box 1 > /dev/null && die "$1 did not dismiss the message box"
}

# With --window the sounds load before the window fails: the sound system
# is left to find the machine's card, and says nothing when there is none.
for args in "" --window; do
  run_expecting 1 "the game without a display ($args)" env -u SDL_AUDIODRIVER DISPLAY= "$GAME" $args
  [[ ! -s $OUT && $(wc -l < "$ERR") == 1 ]] || die "without a display ($args) it said: $(cat "$OUT" "$ERR")"
  grep -q DISPLAY "$ERR" || die "the reason does not name the display: $(cat "$ERR")"
done

start_and_close_launcher quits.log
expect_exit 0 "closing the launcher"
[[ ! -e hiscore.sav ]] || die "closing the launcher wrote hiscore.sav"
start_game quits.log
launcher=$(wait_for_window "Welcome to Kalup Game!") || die "the launcher did not appear"
sleep 0.5
xdotool windowfocus --sync "$launcher"
xdotool key Escape
expect_exit 0 "Escape on the launcher"
[[ ! -e hiscore.sav ]] || die "Escape on the launcher wrote hiscore.sav"

rm english.xml
printf 'not a language file\n' > english.xml
start_to_message_box quits.log "the broken language file"
screenshot broken-language-box
focus=$(xdotool getwindowfocus)
[[ $focus == "$BOX" ]] || die "the message box ($BOX) does not have the keyboard (window $focus has)"
expect_dismissed_by Return
press_and_wait 2 space
screenshot broken-language-game
kill -HUP "$GAME_PID"
expect_exit 0 "SIGHUP during play"
zero_record_saved "SIGHUP during play"

start_to_message_box quits.log "the broken language file, the second time"
kill -TERM "$GAME_PID"
expect_exit 0 "SIGTERM while the message box was up"
zero_record_saved "SIGTERM during the box"

# The player is user nobody, with a copy of the game and its assets in a
# folder it may write; run as another user, the record is made unreadable.
for entry in images fonts sounds music; do
  cp -rL "$entry" "$entry.copy" && rm "$entry" && mv "$entry.copy" "$entry"
done
cp "$GAME" kalup
GAME=$PWD/kalup
chmod -R a+rX . && chmod 0777 .
printf '4242\r\n1\r\n2\r\n' > hiscore.sav
GAME_AS=()
if [[ $(id -u) == 0 ]]; then
  chmod 0600 hiscore.sav
  GAME_AS=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
else
  chmod 0000 hiscore.sav
fi
start_to_message_box unreadable-record.log "the unreadable record"
expect_dismissed_by Escape
xdotool key F10
expect_exit 0 "F10 on the menu after Escape on the box"
chmod 0600 hiscore.sav
cmp -s hiscore.sav <(printf '4242\r\n1\r\n2\r\n') || die "the unreadable record was replaced: $(od -c hiscore.sav | head -n2)"
ls hiscore.sav.* > /dev/null 2>&1 && die "a temporary file was left beside the record"
grep -q "cannot read the record hiscore.sav" "$ARTIFACTS/unreadable-record.log" || die "stderr did not say the record is kept"
