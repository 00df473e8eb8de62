#!/usr/bin/env bash
# Installs what is missing, builds Kalup and starts it.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-packages.sh
tools/build.sh
cd build
exec ./kalup
