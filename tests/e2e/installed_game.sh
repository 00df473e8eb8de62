#!/usr/bin/env bash
# The game installed with the prefix /usr, as a player meets it. The tree
# holds every file in its place and nothing else: one application id for
# the desktop entry, icons of their sizes and metainfo, all three valid, and
# a manual page rendering without a warning. Started from an unrelated empty
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
working_folder_is_empty() { [[ -z $(ls -A) ]] || die "the game wrote into the working folder: $(ls -A)"; }

entries=("$ROOT"/usr/share/applications/*.desktop)
[[ ${#entries[@]} == 1 && -f ${entries[0]} ]] || die "not one desktop entry: ${entries[*]}"
id=$(basename "${entries[0]}" .desktop)
{ installed_files usr/bin "$id"; echo usr/share/man/man6/kalup.6; } | sort > "$RUN_FOLDER/expected"
(cd "$ROOT" && find usr -type f | sort) > "$RUN_FOLDER/installed"
diff -u "$RUN_FOLDER/expected" "$RUN_FOLDER/installed" || die "the install tree differs from the expected one (above)"
[[ -x $GAME ]] || die "usr/bin/kalup is not executable"
for icon in "$ROOT"/usr/share/icons/hicolor/*/apps/"$id.png"; do
  size=$(basename "$(dirname "$(dirname "$icon")")")
  [[ $(identify -format '%wx%h' "$icon") == "$size" ]] || die "$icon is $(identify -format '%wx%h' "$icon")"
done
desktop-file-validate "${entries[0]}" || die "desktop-file-validate failed"
grep -qx "Icon=$id" "${entries[0]}" || die "the desktop entry's icon is not $id"
metainfo="$ROOT/usr/share/metainfo/$id.metainfo.xml"
appstreamcli validate --no-net "$metainfo" || die "appstreamcli validate failed"
version=$("$GAME" --version)
[[ $version =~ ^Kalup\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || die "--version printed '$version'"
version=${version#Kalup }
for line in "<id>$id</id>" "<launchable type=\"desktop-id\">$id.desktop</launchable>" "<binary>kalup</binary>" \
  "<release version=\"$version\""; do
  grep -qF "$line" "$metainfo" || die "the metainfo lacks $line"
done
MANWIDTH=80 man --warnings -E UTF-8 -l "$ROOT/usr/share/man/man6/kalup.6" > "$out" 2> "$err"
[[ ! -s $err ]] || die "the manual page renders with warnings: $(cat "$err")"
grep -qF "Kalup $version" "$out" || die "the manual page is not of version $version"
for option in $("$GAME" --help | grep -oE -- '--[a-z]+' | sort -u); do
  grep -qF -- "$option" "$out" || die "the manual page does not mention $option"
done

# The command line.
"$GAME" --help > "$out" 2> "$err"
code=$?
[[ $code == 0 ]] || die "--help ended with exit code $code"
grep -q '^Usage: kalup' "$out" || die "--help printed no usage: $(head -n1 "$out")"
[[ ! -s $err ]] || die "--help wrote to stderr: $(cat "$err")"
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
expect_exit 0 "F10 on the menu"
expect_a_pairs_record "$XDG_DATA_HOME/kalup/hiscore.sav"
[[ $(stat -c %a "$XDG_DATA_HOME/kalup") == 700 ]] || die "the record folder has mode $(stat -c %a "$XDG_DATA_HOME/kalup")"
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
expect_exit 0 "F10 with an unsaved record"
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
expect_exit 1 "the message box without a data folder"
working_folder_is_empty
