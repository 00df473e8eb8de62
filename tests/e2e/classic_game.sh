#!/usr/bin/env bash
# A classic game played with real clicks on an 800 x 600 virtual screen: the
# player finds a pair of like pieces on the screen, clicks it, returns to the
# menu and quits; the record file then holds a record above 0.
set -uo pipefail
source "$(dirname "$(realpath "$0")")/lib.sh"
begin_run "$1" 800x600

start_game classic.log
start_from_launcher
sleep 1.5
play_a_classic_pair classic

xdotool key Escape
sleep 0.5
xdotool key F10
wait_for_exit "$GAME_PID" 20 || die "F10 on the menu did not end the game"
[[ $EXIT_CODE == 0 ]] || die "the game ended with exit code $EXIT_CODE"
record=$(head -n1 hiscore.sav | tr -d '\r')
[[ $record =~ ^[0-9]+$ ]] && (( record >= 4 )) || die "the record is '$record' after removing a pair"
