#!/usr/bin/env bash
# Draws Quillomat's pictures from the hand-written SVG drawings kept beside
# this script and writes the files that are committed and bundled:
#
#   icons/quillomat-16.png, -32.png, -48.png  256-colour palette PNGs (PNG8)
#   icons/quillomat-64.png, -128.png, -256.png  full-colour PNGs for the hicolor theme
#   about.bmp                                 221x321, 24-bit, uncompressed BMP
#
# Sources: icons/quillomat.svg (the icon), icons/quillomat-small.svg (the same
# drawing simplified and fitted to the pixel grid for 16x16), about.svg (the
# About window's picture).
#
# Needs ImageMagick's convert and python3 (standard library only);
# rsvg-convert (package librsvg2-bin) is used when present, as it draws the
# SVGs more faithfully than ImageMagick's own reader.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
icons=$here/icons
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for tool in convert python3; do
    command -v "$tool" >/dev/null || { echo "make_pictures.sh: $tool is missing" >&2; exit 1; }
done

# render SVG WIDTH HEIGHT OUT: draws an SVG at the given size, with alpha.
render() {
    local svg=$1 width=$2 height=$3 out=$4
    if command -v rsvg-convert >/dev/null; then
        rsvg-convert --width "$width" --height "$height" --format png "$svg" --output "$out"
    else
        convert -background none -density 384 "$svg" -resize "${width}x${height}!" "PNG32:$out"
    fi
}

# Small sizes: 256-colour palette with binary transparency.
render "$icons/quillomat-small.svg" 16 16 "$work/16.png"
render "$icons/quillomat.svg" 32 32 "$work/32.png"
render "$icons/quillomat.svg" 48 48 "$work/48.png"
for size in 16 32 48; do
    convert "$work/$size.png" -strip "PNG8:$icons/quillomat-$size.png"
done

# Large sizes for the desktop: full colour with alpha.
for size in 64 128 256; do
    render "$icons/quillomat.svg" "$size" "$size" "$work/$size.png"
    convert "$work/$size.png" -strip "PNG32:$icons/quillomat-$size.png"
done

# The About picture, flattened on white (it is opaque anyway), as raw RGB.
render "$here/about.svg" 221 321 "$work/about.png"
convert "$work/about.png" -background white -alpha remove -alpha off -depth 8 "rgb:$work/about.rgb"

python3 - "$work" "$here/about.bmp" <<'PY'
import struct
import sys

work, bmp_path = sys.argv[1:3]


width, height = 221, 321
with open(f"{work}/about.rgb", "rb") as f:
    rgb = f.read()
if len(rgb) != width * height * 3:
    sys.exit("make_pictures.sh: the About picture has the wrong size")
stride = (width * 3 + 3) // 4 * 4
pixels = bytearray()
for y in reversed(range(height)):
    row = rgb[y * width * 3:(y + 1) * width * 3]
    bgr = bytearray(len(row))
    bgr[0::3], bgr[1::3], bgr[2::3] = row[2::3], row[1::3], row[0::3]
    pixels += bgr + b"\0" * (stride - len(row))
file_header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 54)
info_header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels),
                          2835, 2835, 0, 0)  # 2835 pixels per metre: 72 dpi
with open(bmp_path, "wb") as f:
    f.write(file_header + info_header + pixels)
PY

echo "make_pictures.sh: pictures written in $here"
