#!/usr/bin/env bash
# Checks that every rendered picture and icon has the pixel size and format
# the windows were laid out for:  image_formats.sh RESOURCES
#
# A picture of the wrong size is stretched by Qt without complaint, and one
# with an alpha channel or a transparent colour shows the window behind it,
# so these slips are easy to miss by eye. Every fault found is reported,
# each naming its file, before the script fails.
set -uo pipefail
cd "$1" || exit 2
faults=0
fault() { echo "$1: $2" >&2; faults=$((faults + 1)); }

# ImageMagick decodes each file whole, so a file cut short in writing fails
# even with a good header. PNG colour types: 2 RGB, 3 palette, 6 RGBA; the
# first two must also be opaque (no transparent colour).
check() { # FILE "FORMAT WIDTHxHEIGHT [DEPTH/TYPE [OPAQUE]]"
  local format='%m %wx%h' got
  [[ $1 == *.png ]] && format+=' %[png:IHDR.bit-depth-orig]/%[png:IHDR.color-type-orig] %[opaque]'
  [[ $2 == *' 8/6' ]] && format=${format% *}
  got=$(convert -regard-warnings "$1" -format "$format" info: 2>&1) || { fault "$1" "unreadable: $got"; return; }
  # ImageMagick 6 writes the opaque flag "true", 7 writes "True".
  [ "${got,,}" = "${2,,}" ] || fault "$1" "reads as \"$got\", expected \"$2\""
}

check images/background.png    "PNG 320x320 8/2 true"
check images/background@2x.png "PNG 640x640 8/2 true"
check images/ghost.png         "PNG 139x113 8/2 true"
check images/ghost@2x.png      "PNG 278x226 8/2 true"
check images/halloween.png     "PNG 147x56 8/2 true"
check images/halloween@2x.png  "PNG 294x112 8/2 true"
check icons/vintrel-32.png     "PNG 32x32 8/3 true"
for size in 48 64 128 256; do
  check "icons/vintrel-$size.png" "PNG ${size}x$size 8/6"
done
check images/forest.jpg          "JPEG 800x600"
check images/forest-strip.jpg    "JPEG 44x164"
check images/forest-strip@2x.jpg "JPEG 88x328"

# The icon file holds every size, and a desktop that asks for 32 pixels in
# 256 colours finds an 8-bit entry: its directory says so, and so does the
# bitmap header it points at.
ico=icons/vintrel.ico
sizes=$(identify -regard-warnings -format '%wx%h ' "$ico" 2>&1)
[ "$sizes" = "32x32 48x48 64x64 128x128 256x256 " ] || fault "$ico" "holds \"$sizes\""
bytes() { od -An -tu"$1" --endian=little -j "$2" -N "$1" "$ico" | tr -d ' '; }
count=$(bytes 2 4)
bits=none
for ((i = 0; i < ${count:-0}; i++)); do
  entry=$((6 + 16 * i))
  if [ "$(bytes 1 "$entry")x$(bytes 1 $((entry + 1)))" = 32x32 ]; then
    bits="$(bytes 2 $((entry + 6)))/$(bytes 2 $(($(bytes 4 $((entry + 12))) + 14)))"
  fi
done
[ "$bits" = 8/8 ] || fault "$ico" "32 x 32 entry's bits per pixel (directory/bitmap): $bits, expected 8/8"

[ "$faults" -eq 0 ] || { echo "$faults fault(s) in the rendered images" >&2; exit 1; }
echo "Rendered images: all sizes and formats as expected"
