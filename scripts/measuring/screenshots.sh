#!/usr/bin/env bash
# Remakes the README's screenshots from real play in the simulator: a ship
# weaving left and right with both guns held and a super attack every 700
# frames, on Practice; the chosen frames are cut to 128 colours for docs/.
# Each is also widened to the 16:9 that software centres show, for the
# AppStream metainfo: 2560x1440, the picture at three times its size (whole
# pixels) between black bars, in docs/appstream/.
# Needs the full set-up (scripts/setup/setup.sh) for graze-sim and ImageMagick.
# Usage: scripts/measuring/screenshots.sh [--widen-only]  (only the 16:9 copies,
# from the pictures already in docs/)
set -euo pipefail
cd "$(dirname "$0")/../.."

widen() {
  mkdir -p docs/appstream
  convert "docs/$1.png" -scale 300% -background black -gravity center -extent 2560x1440 \
    -define png:compression-level=9 "PNG8:docs/appstream/$1.png"
  echo "docs/appstream/$1.png: $(du -k "docs/appstream/$1.png" | cut -f1) KB"
}
names=(level1_sky level3_cave_boss level5_station_boss)
if [ "${1:-}" = --widen-only ]; then
  for name in "${names[@]}"; do widen "$name"; done
  exit 0
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

{
  echo "0 down g"
  echo "0 down f"
  side=left
  for ((frame = 0; frame < 12000; frame += 120)); do
    echo "$frame down $side"
    echo "$((frame + 60)) up $side"
    [ $side = left ] && side=right || side=left
  done
  for ((frame = 600; frame < 12000; frame += 700)); do echo "$frame press d"; done
} >"$work/weave.txt"

# level, frame of the picture, name
shots=("1 1750 level1_sky" "3 9500 level3_cave_boss" "5 12750 level5_station_boss")
mkdir -p docs
for shot in "${shots[@]}"; do
  read -r level frame name <<<"$shot"
  mkdir -p "$work/$level"
  build/tools/sim/graze-sim --level "$level" --difficulty 3 --input "$work/weave.txt" \
    --max-frames $((frame + 1)) --frames-dir "$work/$level" --every "$frame" >/dev/null
  convert "$work/$level/$(printf 'frame_%06d.png' "$frame")" -dither None -colors 128 \
    -define png:compression-level=9 "PNG8:docs/$name.png"
  echo "docs/$name.png: $(du -k "docs/$name.png" | cut -f1) KB"
  widen "$name"
done
