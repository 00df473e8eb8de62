#!/usr/bin/env bash
# A classic game played with real clicks on an 800 x 600 virtual screen: the
# player finds a pair of like pieces on the screen, clicks it, returns to the
# menu and quits; the record file then holds a record above 0.
set -uo pipefail
here=$(dirname "$(realpath "$0")")
source "$here/lib.sh"
begin_run "$1" 800x600

start_game classic.log
start_from_launcher
sleep 1.5

# Space on the menu starts a classic game; let the pieces fly in and settle.
xdotool key space
sleep 3
screenshot "$ARTIFACTS/classic-board.png"
pair=$(/usr/bin/python3 "$here/find_pair.py" "$ARTIFACTS/classic-board.png")
[[ -n $pair ]] || die "no pair of like pieces found on the board"
read -r row col <<< "$pair"

# The cell bands: column c answers at x = 48 + 64c, row r at y = 64r + 28.
point_at $(( 48 + 64 * col )) $(( 64 * row + 28 ))
xdotool click 1
sleep 1
screenshot "$ARTIFACTS/classic-after-click.png"
change=$(image_difference "$ARTIFACTS/classic-board.png" "$ARTIFACTS/classic-after-click.png")
at_least "$change" 0.02 || die "the click at row $row, column $col removed nothing (difference $change)"

xdotool key Escape
sleep 0.5
xdotool key F10
wait_for_exit "$GAME_PID" 20 || die "F10 on the menu did not end the game"
[[ $EXIT_CODE == 0 ]] || die "the game ended with exit code $EXIT_CODE"
record=$(head -n1 hiscore.sav | tr -d '\r')
[[ $record =~ ^[0-9]+$ ]] && (( record >= 4 )) || die "the record is '$record' after removing a pair"
