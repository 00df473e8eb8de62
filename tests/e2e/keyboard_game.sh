#!/usr/bin/env bash
# A classic game played with the keyboard alone on an 800 x 600 virtual
# screen: Enter on the launcher, Down and Up to the first menu row, Enter;
# the arrows walk the pointer to a pair of like pieces and Enter removes it;
# Escape, F10, and the record file holds a record above 0.
set -uo pipefail
here=$(dirname "$(realpath "$0")")
source "$here/lib.sh"
begin_run "$1" 800x600

start_game keyboard.log
start_from_launcher
sleep 1.5

# Wherever the mouse left the pointer, Down and then Up end on the first row.
press Down Up
sleep 0.3
press Return
sleep 3
screenshot "$ARTIFACTS/keyboard-board.png"
pair=$(/usr/bin/python3 "$here/find_pair.py" "$ARTIFACTS/keyboard-board.png")
[[ -n $pair ]] || die "no pair of like pieces found on the board"
read -r row col <<< "$pair"

# Nine Ups and twelve Lefts end on the corner cell from any cell, the arrows
# staying on the board; from there the pair is row Downs and col Rights away.
press $(repeat 9 Up) $(repeat 12 Left) $(repeat "$row" Down) $(repeat "$col" Right)
sleep 0.5
press Return
sleep 1
screenshot "$ARTIFACTS/keyboard-after-enter.png"
change=$(image_difference "$ARTIFACTS/keyboard-board.png" "$ARTIFACTS/keyboard-after-enter.png")
at_least "$change" 0.02 || die "Enter at row $row, column $col removed nothing (difference $change)"

press Escape
sleep 0.5
press F10
wait_for_exit "$GAME_PID" 20 || die "F10 on the menu did not end the game"
[[ $EXIT_CODE == 0 ]] || die "the game ended with exit code $EXIT_CODE"
record=$(head -n1 hiscore.sav | tr -d '\r')
[[ $record =~ ^[0-9]+$ ]] && (( record >= 4 )) || die "the record is '$record' after removing a pair"
