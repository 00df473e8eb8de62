#!/usr/bin/env bash
# The installed game as a player meets it, started from an unrelated empty
# folder with a fresh home: the command line answers at once; the launcher,
# Enter, the menu, a classic pair and F10 leave the record in
# $XDG_DATA_HOME/kalup and nothing in the working folder; --window goes
# straight to the menu, and a record folder that cannot be made is reported
# at quit; without its data folder the game shows a message box naming the
# places it looked at and ends with exit code 1.
set -uo pipefail
source "$(dirname "$(realpath "$0")")/lib.sh"
begin_installed_run "$1" 800x600
out="$RUN_FOLDER/out"
err="$RUN_FOLDER/err"

working_folder_is_empty() {
  [[ -z $(ls -A) ]] || die "the game wrote into the working folder: $(ls -A)"
}

# The command line.
"$GAME" --help > "$out" 2> "$err"
code=$?
[[ $code == 0 ]] || die "--help ended with exit code $code"
grep -q '^Usage: kalup' "$out" || die "--help printed no usage: $(head -n1 "$out")"
[[ ! -s $err ]] || die "--help wrote to stderr: $(cat "$err")"
version=$("$GAME" --version)
[[ $version =~ ^Kalup\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || die "--version printed '$version'"
"$GAME" --no-such-option > "$out" 2> "$err"
code=$?
[[ $code == 2 ]] || die "an unknown option ended with exit code $code"
[[ ! -s $out ]] || die "an unknown option wrote to stdout"
[[ $(head -n1 "$err") == "kalup: unrecognised option '--no-such-option'" ]] || die "stderr began '$(head -n1 "$err")'"
grep -q '^Usage: kalup' "$err" || die "an unknown option printed no usage on stderr"

# The launcher, Enter, the menu, a classic pair, back to the menu and F10.
start_game installed.log
start_from_launcher
sleep 1.5
play_a_classic_pair installed
xdotool key Escape
sleep 0.5
xdotool key F10
wait_for_exit "$GAME_PID" 20 || die "F10 on the menu did not end the game"
[[ $EXIT_CODE == 0 ]] || die "the game ended with exit code $EXIT_CODE"
record_folder="$XDG_DATA_HOME/kalup"
[[ -f $record_folder/hiscore.sav ]] || die "no record in $record_folder"
record=$(head -n1 "$record_folder/hiscore.sav" | tr -d '\r')
[[ $record =~ ^[0-9]+$ ]] && (( record >= 4 )) || die "the record is '$record' after removing a pair"
[[ $(stat -c %a "$record_folder") == 700 ]] || die "the record folder has mode $(stat -c %a "$record_folder")"
working_folder_is_empty

# --window: the menu without the launcher; the record folder cannot be made
# where a file stands in the way, which is reported when the game quits.
touch "$RUN_FOLDER/in-the-way"
: > "$ARTIFACTS/installed-window.log"
XDG_DATA_HOME="$RUN_FOLDER/in-the-way" start_game installed-window.log --window
wait_for_window "Kalup" > /dev/null || die "--window opened no game window"
[[ -z $(xdotool search --name '^Welcome to Kalup Game!$' 2>/dev/null) ]] || die "--window showed the launcher"
sleep 1.5
screenshot "$ARTIFACTS/installed-window-menu.png"
spread=$(image_spread "$ARTIFACTS/installed-window-menu.png")
at_least "$spread" 0.05 || die "the menu looks blank (spread $spread)"
xdotool key F10
wait_for_exit "$GAME_PID" 20 || die "F10 on the menu did not end the game"
[[ $EXIT_CODE == 0 ]] || die "an unsaved record ended the game with exit code $EXIT_CODE"
grep -qF "kalup: the record was not saved: $RUN_FOLDER/in-the-way/kalup: Not a directory" \
  "$ARTIFACTS/installed-window.log" || die "the unsaved record was not reported"
working_folder_is_empty

# Without its data folder: the message box, then exit code 1. Without a
# display the same message goes to stderr, where its text can be read.
mv "$ROOT/usr/share/kalup" "$ROOT/usr/share/kalup-away"
env -u DISPLAY "$GAME" > "$out" 2> "$err"
code=$?
[[ $code == 1 ]] || die "without a data folder or display the game ended with exit code $code"
[[ $(wc -l < "$err") == 1 ]] || die "the message is not one line on stderr: $(cat "$err")"
for place in "$(pwd -P)" "$ROOT/usr/bin" "$ROOT/usr/share/kalup"; do
  grep -qF " $place " "$err" || die "the message does not name $place: $(cat "$err")"
done
start_game installed-no-data.log
box=$(wait_for_window "Kalup") || die "no message box without the data folder"
sleep 0.5
screenshot "$ARTIFACTS/installed-no-data.png"
xdotool windowfocus --sync "$box"
xdotool key Return
wait_for_exit "$GAME_PID" 10 || die "the message box did not end the game"
[[ $EXIT_CODE == 1 ]] || die "without a data folder the game ended with exit code $EXIT_CODE"
working_folder_is_empty
