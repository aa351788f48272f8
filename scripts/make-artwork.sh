#!/usr/bin/env bash
# Renders the window's pictures and icons in data/ from their SVG sources in
# data/art-src/. The PNGs are kept in the repository, so a build never runs
# this: run it after changing a source, look at the results, commit both.
# The window's pictures come twice, at their own size and as name@2x.png at
# twice it: the window takes the second on screens of more than one device
# pixel per pixel (scale 2, and scaled down for 1.25 or 1.5).
# Needs rsvg-convert and the two typefaces of the header and help icon:
#   apt-get install librsvg2-bin fonts-comfortaa fonts-lato
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
src="$top/data/art-src"
out="$top/data"

command -v rsvg-convert >/dev/null || {
    echo "rsvg-convert is missing (Debian package librsvg2-bin)" >&2
    exit 1
}
# A missing typeface would silently be replaced by another one.
for family in Comfortaa Lato; do
    fc-list ":family=$family" family | grep -q . || {
        echo "the $family typeface is missing (Debian package fonts-${family,,})" >&2
        exit 1
    }
done

render() { # source.svg width height output.png
    rsvg-convert --width "$2" --height "$3" --output "$4" "$src/$1"
}
# The same, and name@2x.png beside it at twice the size.
render2() { # source.svg width height output.png
    render "$1" "$2" "$3" "$4"
    render "$1" $(($2 * 2)) $(($3 * 2)) "${4%.png}@2x.png"
}

mkdir -p "$out/icons"
render2 staticPanel.svg 460 100 "$out/staticPanel.png"
render2 stretchPanel.svg 8 100 "$out/stretchPanel.png"

# The program icon: 16 pixels from the drawing made on that grid, the other
# sizes from the full drawing, which is also installed as the scalable icon.
render quorvane-small.svg 16 16 "$out/icons/quorvane-16.png"
for size in 24 32 48 64 128 256; do
    render quorvane.svg "$size" "$size" "$out/icons/quorvane-$size.png"
done
cp "$src/quorvane.svg" "$out/icons/quorvane.svg"

render2 close.svg 24 24 "$out/icons/close.png"
render2 minimize.svg 24 24 "$out/icons/minimize.png"
render2 backup.svg 48 48 "$out/icons/backup.png"
render2 help.svg 48 48 "$out/icons/help.png"
