#!/usr/bin/env bash
# Draws Quillomat's pictures from the hand-written SVG drawings kept beside
# this script and writes the files that are committed and bundled:
#
#   icons/quillomat-16.png, -32.png, -48.png  256-colour palette PNGs (PNG8)
#   icons/quillomat.ico                       the same three sizes, 8 bits per pixel
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

# Raw RGBA pixels of the three palette PNGs, for the .ico writer.
for size in 16 32 48; do
    convert "$icons/quillomat-$size.png" -depth 8 "rgba:$work/$size.rgba"
done

# The About picture, flattened on white (it is opaque anyway), as raw RGB.
render "$here/about.svg" 221 321 "$work/about.png"
convert "$work/about.png" -background white -alpha remove -alpha off -depth 8 "rgb:$work/about.rgb"

python3 - "$work" "$icons/quillomat.ico" "$here/about.bmp" <<'PY'
import struct
import sys

work, ico_path, bmp_path = sys.argv[1:4]


def ico_image(size, rgba):
    """One icon image: BITMAPINFOHEADER, 256-entry palette, 8-bit pixels, AND mask."""
    pixels = [rgba[i:i + 4] for i in range(0, len(rgba), 4)]
    if len(pixels) != size * size:
        sys.exit(f"make_pictures.sh: {size}px icon has {len(pixels)} pixels")
    opaque = sorted({p[:3] for p in pixels if p[3] >= 128})
    black = b"\0\0\0"
    if black not in opaque:
        opaque.insert(0, black)  # masked pixels must be black for the XOR step
    if len(opaque) > 256:
        sys.exit(f"make_pictures.sh: {size}px icon has more than 256 colours")
    index = {c: i for i, c in enumerate(opaque)}
    palette = b"".join(bytes((c[2], c[1], c[0], 0)) for c in opaque)
    palette += b"\0" * (1024 - len(palette))
    colour_row = (size + 3) // 4 * 4
    mask_row = (size + 31) // 32 * 4
    colours, mask = bytearray(), bytearray()
    for y in reversed(range(size)):  # bottom-up, as in any BMP
        row = pixels[y * size:(y + 1) * size]
        colours += bytes(index[p[:3]] if p[3] >= 128 else index[black] for p in row)
        colours += b"\0" * (colour_row - size)
        bits = bytearray(mask_row)
        for x, p in enumerate(row):
            if p[3] < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 8, 0,
                         len(colours) + len(mask), 0, 0, 0, 0)
    return header + palette + bytes(colours) + bytes(mask)


sizes = (16, 32, 48)
images = []
for size in sizes:
    with open(f"{work}/{size}.rgba", "rb") as f:
        images.append(ico_image(size, f.read()))
offset = 6 + 16 * len(images)
directory = struct.pack("<HHH", 0, 1, len(images))
for size, image in zip(sizes, images):
    # width, height, colour count (0: 256), reserved, planes, bits, bytes, offset
    directory += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 8, len(image), offset)
    offset += len(image)
with open(ico_path, "wb") as f:
    f.write(directory + b"".join(images))

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
