#!/usr/bin/env bash
# Installs what is missing, builds Kalup and runs every test: the unit tests
# on a virtual display with silent audio, and the end-to-end runs of the real game.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-packages.sh --tests
tools/build.sh
cd build
export SDL_AUDIODRIVER=dummy
# -noreset: the server would otherwise reset whenever its last client leaves,
# and a test connecting at that moment would find no display.
xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp -noreset" \
  ctest --output-on-failure -j2 --timeout 300
