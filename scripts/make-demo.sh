#!/usr/bin/env bash
# Makes the demo account's files in data/demo/ from their sources: the
# pictures from the SVG drawings in data/demo-src/, the Flash movies with
# make-demo.py beside this script. The files are kept in the repository, so a
# build never runs this: run it after changing a source, look at the results,
# commit both. The program copies them into the demo account as they are.
#
# One folder per content type, each object's files named after it:
#   winks/, dynamic-display-pictures/, dynamic-backgrounds/
#       NAME.png (96 x 96, the thumbnail) and NAME.swf (the movie), packed
#       into the object's cabinet
#   custom-emoticons/NAME.gif   40 x 40 on transparency; from NAME.svg, and
#       animated when NAME-2.svg draws a second frame
#   backgrounds/NAME.jpg or NAME.png   320 x 240; the photographs as JPEG
#   display-pictures/NAME.png   96 x 96
# Needs rsvg-convert, ImageMagick and Python 3:
#   apt-get install librsvg2-bin imagemagick python3
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
src="$top/data/demo-src"
out="$top/data/demo"

need() { # command package
    command -v "$1" >/dev/null || {
        echo "$1 is missing (Debian package $2)" >&2
        exit 1
    }
}
need rsvg-convert librsvg2-bin
need convert imagemagick
need python3 python3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

render() { # source.svg width height output.png
    rsvg-convert --width "$2" --height "$3" --output "$4" "$src/$1"
}

rm -rf "$out"
mkdir -p "$out"/{winks,dynamic-display-pictures,dynamic-backgrounds,custom-emoticons}
mkdir -p "$out"/{backgrounds,display-pictures}

for type in winks dynamic-display-pictures dynamic-backgrounds display-pictures; do
    for svg in "$src/$type"/*.svg; do
        name=$(basename "$svg" .svg)
        render "$type/$name.svg" 96 96 "$out/$type/$name.png"
    done
done

# The backgrounds: two PNG, and two JPEG as photographs are, at a quality
# that keeps the sky's gradient smooth and the colour at half the
# resolution, as cameras keep it.
for name in fete-lights lavender-fields; do
    render "backgrounds/$name.svg" 320 240 "$out/backgrounds/$name.png"
done
for name in sunny-beach mountain-lake; do
    render "backgrounds/$name.svg" 320 240 "$work/$name.png"
    convert "$work/$name.png" -strip -quality 90 -sampling-factor 4:2:0 \
        "$out/backgrounds/$name.jpg"
done

# GIF has one transparent colour and no partial transparency: a pixel is
# shown where the drawing covers at least half of it. The frames loop, each
# shown for 0.45 s, and each clears the picture before the next is drawn.
for svg in "$src/custom-emoticons"/*.svg; do
    name=$(basename "$svg" .svg)
    [[ $name == *-2 ]] && continue
    frames=("$work/$name.png")
    render "custom-emoticons/$name.svg" 40 40 "$work/$name.png"
    if [ -f "$src/custom-emoticons/$name-2.svg" ]; then
        render "custom-emoticons/$name-2.svg" 40 40 "$work/$name-2.png"
        frames+=("$work/$name-2.png")
    fi
    convert -delay 45 -dispose Background "${frames[@]}" -channel A -threshold 50% +channel \
        +dither -loop 0 -strip "$out/custom-emoticons/$name.gif"
done

python3 "$top/scripts/make-demo.py" "$out"
