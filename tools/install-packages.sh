#!/usr/bin/env bash
# Installs the Debian packages Kalup builds with (the font packages too:
# the game links their fonts) and, with --tests, the ones its tests need,
# calling apt-get only when something is missing.
set -euo pipefail

packages=(cmake g++ make pkg-config
  libglfw3-dev libgl-dev libglu1-mesa-dev libdevil-dev libftgl-dev libfreetype-dev
  libtinyxml2-dev libfltk1.3-dev libx11-dev libsdl2-dev libasound2-dev libsdl2-mixer-dev libopenmpt-dev
  googletest libgtest-dev
  fonts-lobstertwo fonts-ferrite-core fonts-jura fonts-yanone-kaffeesatz)
if [[ "${1:-}" == "--tests" ]]; then
  # x11-utils: xmessage, a window to give the focus to while a round runs;
  # numpy and sox: the shipped assets' checks.
  packages+=(xvfb xauth xdotool imagemagick python3-pil python3-numpy sox x11-utils)
  # The game under window managers players have (xfwm4 keeps its settings
  # behind a session bus); procps: pkill, to stop that bus with it.
  packages+=(metacity openbox xfwm4 dbus-daemon procps)
  # The install tests: the desktop entry, metainfo and manual page checks, and
  # the Debian package (cpack's dependency search needs dpkg-dev and file;
  # hardening-check is in devscripts).
  packages+=(desktop-file-utils appstream man-db dpkg-dev file lintian devscripts)
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
[[ $(id -u) -ne 0 ]] && sudo=(sudo)
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get -o DPkg::Lock::Timeout=600 update -qq
"${sudo[@]}" apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}"
