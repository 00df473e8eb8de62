#!/bin/sh
# Runs the frame benchmark: $1 is the kalup_frame_bench binary, further
# arguments go to it. It always gets a virtual X server of its own, 1920 x
# 1080 (the full-screen size it measures), whatever display there is, and a
# silent sound device, so that its figures compare from run to run.
set -e
bench="$1"
if [ -z "$bench" ]; then
    echo "usage: frame_run.sh path/to/kalup_frame_bench [options]" >&2
    exit 2
fi
shift
export SDL_AUDIODRIVER=dummy
unset DISPLAY
exec xvfb-run -a -s "-screen 0 1920x1080x24 -nolisten tcp -noreset" "$bench" --screen=1920x1080 "$@"
