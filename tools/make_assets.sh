#!/bin/sh
# Regenerates every asset of the game into assets/:   tools/make_assets.sh
# Installs the Debian packages the generator needs when some are missing (as root),
# then runs tools/make_assets.py with the system Python.
set -e
here=$(cd "$(dirname "$0")" && pwd)
packages="python3-numpy python3-pil sox espeak-ng vorbis-tools fonts-ferrite-core fonts-lobstertwo"
missing=""
for p in $packages; do
    dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
done
if [ -n "$missing" ]; then
    echo "installing:$missing"
    apt-get -o DPkg::Lock::Timeout=600 install -y $missing
fi
exec /usr/bin/python3 "$here/make_assets.py" "$@"
