#!/usr/bin/env bash
# The bests and the help page in the real game on a virtual 800 x 600
# screen (full screen shows the logical screen 1:1). The first start ever
# shows the hint for F1; F1 opens the help over the menu and Escape closes
# it; B shows the empty tables. A survival round is left to rise until it
# is lost, F10 saves, and after a restart its time is in "bests.sav", on the
# menu's survival row and in the tables, and the hint is gone. A classic
# game with a pair removed, ended by SIGTERM, enters its score too.
set -uo pipefail
source "$(dirname "$(realpath "$0")")/lib.sh"
begin_run "$1" 800x600
crop() { SCREEN_AREA=$1 screenshot "$2"; }
hint() { crop 500x30+150+18 "hint-$1"; }
survival_row_best() { crop 160x26+80+460 "survival-best-$1"; }
survival_column() { crop 260x60+535+165 "survival-column-$1"; }

start_from_launcher bests-and-help.log
sleep 2
hint first-start
press_and_wait 1 F1
screenshot help
press_and_wait 1 Escape
hint help-closed
expect_changed hint-first-start hint-help-closed 0.1 "the hint stayed after the help was opened"
screenshot menu-after-help
expect_changed help menu-after-help 0.05 "Escape did not close the help"
survival_row_best none
press_and_wait 1 b
survival_column none
press_and_wait 1 Escape

# A survival round with no click: the first rise comes at once, then one
# every 3 s or less, and the seventh finds the board full, about 18 s in.
# Everything on the screen trembles from then on, so the wait is by time,
# with room to spare under load; the file tells whether the round was lost.
point_at 400 454
xdotool click 1
sleep 32
screenshot survival-lost
press_and_wait 1 Escape
xdotool key F10
expect_exit 0 "F10 on the menu"
grep -qx 'kalup-bests 1' <(head -n1 bests.sav) || die "bests.sav begins with: $(head -n1 bests.sav)"
read -r table lasted date <<< "$(sed -n 2p bests.sav)"
now=$(date +%s)
[[ $table == survival && $lasted -ge 15000 && $(wc -l < bests.sav) == 2 ]] \
  || die "bests.sav holds no survival time of the round: $(cat bests.sav)"
(( date <= now && date > now - 300 )) || die "the result is dated $date, not about $now"

start_from_launcher bests-and-help.log
sleep 2
hint second-start
expect_changed hint-first-start hint-second-start 0.1 "the hint is shown again after a first start"
survival_row_best one
expect_changed survival-best-none survival-best-one 0.03 "the menu's survival row shows no best"
press_and_wait 1 b
survival_column one
expect_changed survival-column-none survival-column-one 0.03 "the tables show no survival result"
press_and_wait 1 b
play_a_classic_pair classic
kill -TERM "$GAME_PID"
expect_exit 0 "SIGTERM during a classic game"
grep -Eq '^classic ([4-9]|[1-9][0-9]+) [0-9]+$' bests.sav || die "the classic game's score did not enter: $(cat bests.sav)"
grep -q "^survival $lasted $date\$" bests.sav || die "the survival time was lost: $(cat bests.sav)"
