#!/bin/sh
# Runs the background benchmark: $1 is the kalup_bench binary, further
# arguments go to it (frames, repetitions). Starts a virtual X server
# when there is no display.
set -e
bench="$1"
shift
if [ -z "$bench" ]; then
    echo "usage: run.sh path/to/kalup_bench [frames [repetitions]]" >&2
    exit 2
fi
if [ -n "$DISPLAY" ]; then
    exec "$bench" "$@"
fi
exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$bench" "$@"
