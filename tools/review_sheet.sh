#!/bin/bash
# Renders the whole game for review into PNG files:   tools/review_sheet.sh [output-folder]
# (default build-review/pictures)
# The launcher, the menu with the bests, the tables of bests, the help page, each mode in play,
# a round steered by the keys (the steered cell framed), the four end screens (one with a new
# record), a paused round, and crops
# of the menu and a classic round as full screens of 1920 x 1080 and
# 2560 x 1440 show them, and the menu and the classic level screen in every shipped language,
# plus sheet.png with all of them. The game is built in build-review/ and drawn
# under Xvfb; everything after the launcher runs on the scripted test clock.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/build-review/pictures}")
build="$root/build-review"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target kalup_review >/dev/null

mkdir -p "$out"
cd "$build"
rm -rf review && mkdir review

# The launcher: the real program on a virtual screen, pictured before it starts.
cat > review/launcher.sh <<'SHOT'
#!/bin/bash
./kalup >/dev/null 2>&1 &
pid=$!
sleep 3
import -window root review/1-launcher.png
kill "$pid"
wait "$pid" 2>/dev/null || true
SHOT
chmod +x review/launcher.sh
xvfb-run -a -s "-screen 0 800x600x24 -noreset" review/launcher.sh
SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 1024x768x24 -noreset" ./kalup_review >/dev/null

/usr/bin/python3 - "$build/review" "$out" <<'PY'
import glob, os, sys
from PIL import Image
src, out = sys.argv[1], sys.argv[2]
shots = sorted(glob.glob(os.path.join(src, "*.p*g")) + glob.glob(os.path.join(src, "*.ppm")),
               key=lambda p: int(os.path.basename(p).split("-")[0]))
pictures = []
for path in shots:
    name = os.path.splitext(os.path.basename(path))[0]
    im = Image.open(path).convert("RGB")
    im.save(os.path.join(out, name + ".png"))
    pictures.append(im.resize((400, 300), Image.LANCZOS))
cols = 3
rows = (len(pictures) + cols - 1) // cols
sheet = Image.new("RGB", (cols * 404, rows * 304), (40, 40, 40))
for i, im in enumerate(pictures):
    sheet.paste(im, ((i % cols) * 404 + 2, (i // cols) * 304 + 2))
sheet.save(os.path.join(out, "sheet.png"))
print("review pictures in", out)
PY
