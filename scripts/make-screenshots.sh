#!/usr/bin/env bash
# Makes the screenshots of the manual (data/help/images/) and of the README
# (docs/screenshot.png) from the running window, under Xvfb, on the demo
# account, so they stay true when the window changes.
# Needs: xvfb, xdotool, imagemagick (apt-get install xvfb xdotool imagemagick).
# Usage: scripts/make-screenshots.sh [build folder, default build/release]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build/release}
for tool in Xvfb xdotool import; do
    command -v "$tool" >/dev/null || { echo "make-screenshots: $tool is missing" >&2; exit 1; }
done
[ -x "$build/bin/quorvane" ] || { echo "make-screenshots: build $build first" >&2; exit 1; }

work=$(mktemp -d)
display=:$((90 + RANDOM % 100))
cleanup() {
    kill "${app:-}" "${xvfb:-}" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
sleep 1
export DISPLAY=$display
# A home without Wine: the window opens on the demo account.
env -u WINEPREFIX HOME="$work" XDG_CONFIG_HOME="$work/.config" XDG_CACHE_HOME="$work/.cache" \
    XDG_DATA_HOME="$work/.local/share" XDG_RUNTIME_DIR="$work" USER=demo \
    "$build/bin/quorvane" >/dev/null 2>&1 &
app=$!
sleep 4

window=$(xdotool search --sync --name '^Quorvane$' | head -1)
eval "$(xdotool getwindowgeometry --shell "$window")"
click() { xdotool mousemove $((X + $1)) $((Y + $2)) click 1; sleep "${3:-1}"; }
shot() { import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$1"; }

images="$top/data/help/images"
mkdir -p "$images" "$top/docs"
shot "$images/notice.png"
xdotool key Return
sleep 1
shot "$images/start.png"
click 376 265 3 # List
shot "$images/listed.png"
click 65 295    # the first Wink
click 376 306   # >
click 376 361   # >>
shot "$images/selected.png"
click 393 63 3  # Backup Now
shot "$images/backed-up.png"
xdotool key Return
cp "$images/selected.png" "$top/docs/screenshot.png"
echo "make-screenshots: wrote $images and docs/screenshot.png"
