#!/usr/bin/env bash
# The Debian package as `cpack -G DEB` builds it from the build folder: its
# name, files, section, dependencies and changelog, the same package from a
# second run byte for byte, the game built hardened, no lintian error or
# warning, and the unpacked game finding its data.
set -uo pipefail
source "$(dirname "$(realpath "$0")")/lib.sh"
build=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" > "$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log"; die "cpack failed"; }
version=$("$build/kalup" --version | cut -d' ' -f2)
deb="$work/kalup_${version}_$(dpkg --print-architecture).deb"
[[ -f $deb ]] || die "no $(basename "$deb"); cpack made: $(cd "$work" && ls -- *.deb)"

# Each line of the listing: mode, owner, size, date, time and the path, which
# may hold spaces, and for a link " -> " and its target.
dpkg-deb -c "$deb" | sed -E 's|^([^ ]+ +){5}\./||; s| -> .*||' > "$work/contents"
id=$(sed -nE 's|^usr/share/applications/(.+)\.desktop$|\1|p' "$work/contents")
[[ -n $id ]] || die "no desktop entry in the package"
missing=$({
  installed_files usr/games "$id"
  font_links
  printf '%s\n' usr/share/man/man6/kalup.6.gz usr/share/doc/kalup/copyright usr/share/doc/kalup/changelog.gz
} | grep -vxF -f "$work/contents")
[[ -z $missing ]] || die "the package lacks: ${missing//$'\n'/ }"

[[ $(dpkg-deb -f "$deb" Section) == games ]] || die "the package is in section $(dpkg-deb -f "$deb" Section)"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libglfw3 libfltk1.3 libsdl2-mixer-2.0-0 libopenmpt0 fonts-ferrite-core fonts-lobstertwo fonts-jura \
  fonts-yanone-kaffeesatz; do
  [[ $depends == *"$library"* ]] || die "the dependencies lack $library: $depends"
done
[[ -n $(dpkg-deb -f "$deb" Description) ]] || die "the package has no description"
dpkg-deb -x "$deb" "$work/root"
changelog=$(gunzip -c "$work/root/usr/share/doc/kalup/changelog.gz" | head -n1)
[[ $changelog == "kalup ($version) "* ]] || die "the changelog begins '$changelog', not version $version"

for link in $(font_links); do
  target=$(readlink "$work/root/$link")
  [[ $target == ../* && -f $(realpath -m "$(dirname "/$link")/$target") ]] || die "$link leads to '$target', no system font by a relative path"
done

mkdir "$work/again"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/again" > "$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log"; die "the second cpack failed"; }
cmp "$deb" "$work/again/$(basename "$deb")" || die "two builds of the package differ"

# Control-flow protection is none of the flags Debian 12's dpkg-buildflags gives.
hardening-check --nocfprotection "$work/root/usr/games/kalup" > "$work/hardening" \
  || { cat "$work/hardening"; die "the game is not built hardened"; }

lintian --fail-on error,warning --tag-display-limit 0 "$deb" > "$work/lintian" 2>&1
code=$?
cat "$work/lintian"
[[ $code == 0 ]] && ! grep -q '^[EW]:' "$work/lintian" || die "lintian reports errors or warnings"

# Without a display the launcher cannot open and the game ends with code 1;
# having found its data folder from /usr/games, it says nothing about it.
cd "$work" || die "no work folder"
env -u DISPLAY "$work/root/usr/games/kalup" 2> "$work/start"
code=$?
[[ $code == 1 ]] || die "the unpacked game ended with exit code $code"
! grep -q 'cannot find its data folder' "$work/start" || die "the unpacked game found no data: $(cat "$work/start")"
