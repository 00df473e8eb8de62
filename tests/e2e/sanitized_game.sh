#!/usr/bin/env bash
# The real game built with AddressSanitizer, UndefinedBehaviorSanitizer and
# LeakSanitizer (build-asan/ of test.sh), played through the launcher, the
# menu, a classic round, a pause (P), the mute (M), F11 both ways and F10:
# it must end with exit code 0 and without one report. What libraries keep
# or lose themselves is named in tests/lsan.supp.
set -uo pipefail
source "$(dirname "$(realpath "$0")")/lib.sh"
begin_run "$1" 800x600
# The sanitizers slow every frame down.
SETTLE_SECONDS=10
export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$E2E_DIR/../lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# Mesa unloads its GL driver when the game closes its display, before
# LeakSanitizer looks, at the very end: what the driver's own globals held
# would then look lost, in a library no longer there to be named in
# tests/lsan.supp. Loaded with the process, the driver stays to the end.
# (The sanitizer's runtime must be the first library loaded.)
driver=/usr/lib/$(gcc -print-multiarch)/dri/swrast_dri.so
[[ -f $driver ]] && GAME_AS=(env "LD_PRELOAD=$(gcc -print-file-name=libasan.so) $driver")
log=$ARTIFACTS/sanitized.log
: > "$log"

start_from_launcher sanitized.log
sleep 3
play_a_classic_pair sanitized
press_and_wait 1 p
screenshot sanitized-paused
press_and_wait 1 p
press_and_wait 1 m
press_and_wait 3 F11
press_and_wait 3 F11
press_and_wait 1 Escape
xdotool key F10
timeout 60 tail --pid="$GAME_PID" -s 0.2 -f /dev/null || { kill -9 "$GAME_PID"; die "F10 did not end the game"; }
wait "$GAME_PID"
code=$?
if grep -qE "Sanitizer|runtime error" "$log"; then
  die "the sanitizers reported (exit code $code): $(grep -m5 -E "ERROR|SUMMARY|runtime error|#[0-9] " "$log")"
fi
[[ $code == 0 ]] || die "the game ended with exit code $code: $(tail -n5 "$log")"
[[ $(cat "$XDG_CONFIG_HOME/kalup/settings") == mute=on ]] || die "M did not mute"
expect_a_pairs_record hiscore.sav
