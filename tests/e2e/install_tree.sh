#!/usr/bin/env bash
# The install tree, staged under a fresh DESTDIR with the prefix /usr: every
# file in its place and nothing else, one application id for the desktop
# entry, icons and metainfo, the icons of their sizes, the desktop entry and
# the metainfo valid, and the manual page rendering without a warning.
set -uo pipefail
source "$(dirname "$(realpath "$0")")/lib.sh"
build=$(realpath "$1")
assets=$(realpath "$E2E_DIR/../../assets")
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
install_game "$build" "$stage/root"
cd "$stage/root" || die "nothing installed"

entries=(usr/share/applications/*.desktop)
[[ ${#entries[@]} == 1 && -f ${entries[0]} ]] || die "not one desktop entry: ${entries[*]}"
id=$(basename "${entries[0]}" .desktop)
sizes=(16 32 48 64 128 256 512)
{
  echo usr/bin/kalup
  echo "usr/share/applications/$id.desktop"
  echo "usr/share/metainfo/$id.metainfo.xml"
  echo usr/share/man/man6/kalup.6
  for size in "${sizes[@]}"; do echo "usr/share/icons/hicolor/${size}x$size/apps/$id.png"; done
  (cd "$assets" && find . -type f | sed 's|^\./|usr/share/kalup/|')
} | sort > "$stage/expected"
find usr -type f | sort > "$stage/installed"
diff -u "$stage/expected" "$stage/installed" || die "the install tree differs from the expected one (above)"
[[ -x usr/bin/kalup ]] || die "usr/bin/kalup is not executable"

for size in "${sizes[@]}"; do
  icon="usr/share/icons/hicolor/${size}x$size/apps/$id.png"
  [[ $(identify -format '%wx%h' "$icon") == "${size}x$size" ]] || die "$icon is $(identify -format '%wx%h' "$icon")"
done

desktop-file-validate "usr/share/applications/$id.desktop" || die "desktop-file-validate failed"
metainfo="usr/share/metainfo/$id.metainfo.xml"
appstreamcli validate --no-net "$metainfo" || die "appstreamcli validate failed"
version=$(usr/bin/kalup --version | cut -d' ' -f2)
for line in "<id>$id</id>" "<launchable type=\"desktop-id\">$id.desktop</launchable>" "<binary>kalup</binary>" \
  "<release version=\"$version\""; do
  grep -qF "$line" "$metainfo" || die "the metainfo lacks $line"
done
grep -qx "Icon=$id" "usr/share/applications/$id.desktop" || die "the desktop entry's icon is not $id"

MANWIDTH=80 man --warnings -E UTF-8 -l usr/share/man/man6/kalup.6 > "$stage/manual" 2> "$stage/warnings"
[[ ! -s $stage/warnings ]] || die "the manual page renders with warnings: $(cat "$stage/warnings")"
for option in $(usr/bin/kalup --help | grep -oE -- '--[a-z]+' | sort -u); do
  grep -qF -- "$option" "$stage/manual" || die "the manual page does not mention $option"
done
grep -qF "Kalup $version" "$stage/manual" || die "the manual page is not of version $version"
