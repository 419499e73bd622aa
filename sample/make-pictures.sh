#!/usr/bin/env bash
# Draws the sample categories' 22 x 22 pictures from simple shapes and writes them beside their
# ".asc" files in sample/pois. Magenta (#FF00FF) is the transparent colour. The pictures come
# in the three colour depths the picture loader has to read: 24-bit, 8-bit (256-entry palette)
# and 4-bit (16-entry palette); every file's depth is checked after it is written.
set -euo pipefail
cd "$(dirname "$0")/pois"

readonly key='#FF00FF'

# The bits per pixel stored in a BMP file's info header.
bits_per_pixel() { od -An -tu2 -j28 -N2 "$1" | tr -d ' '; }

# The compression stored in a BMP file's info header; 0 is none.
compression() { od -An -tu4 -j30 -N4 "$1" | tr -d ' '; }

# Checks the depth, and that the pixels are stored plainly: run-length coded pictures are not
# shown.
check_depth() {
  local file=$1 expected=$2 actual
  actual=$(bits_per_pixel "$file")
  if [ "$actual" != "$expected" ]; then
    echo "make-pictures: $file has $actual bits per pixel, expected $expected" >&2
    exit 1
  fi
  if [ "$(compression "$file")" != 0 ]; then
    echo "make-pictures: $file is compressed" >&2
    exit 1
  fi
}

# flat NAME DEPTH DRAWING: hard-edged shapes on the transparent colour. DEPTH 24 keeps every
# colour; DEPTH 4 asks for a palette, which holds at most 16 colours because no edge is blended.
flat() {
  local name=$1 depth=$2 drawing=$3 type=truecolor
  [ "$depth" = 4 ] && type=palette
  convert -size 22x22 "xc:$key" +antialias -stroke none -draw "$drawing" \
    -alpha off -type "$type" -compress none "BMP3:$name.bmp"
  check_depth "$name.bmp" "$depth"
}

# shaded NAME TOP BOTTOM SILHOUETTE DETAILS: a silhouette filled with a radial gradient from
# TOP at the centre to BOTTOM at the edges, details drawn over it. The gradient gives more than 16 colours, so the palette
# has 256 entries and the file is 8-bit.
shaded() {
  local name=$1 top=$2 bottom=$3 silhouette=$4 details=$5
  convert -size 22x22 "radial-gradient:$top-$bottom" \
    \( -size 22x22 xc:black +antialias -fill white -draw "$silhouette" \) \
    -alpha off -compose CopyOpacity -composite -background "$key" -compose Over -flatten \
    +antialias -stroke none -draw "$details" -alpha off -type palette -compress none "BMP3:$name.bmp"
  check_depth "$name.bmp" 8
}

# 24-bit pictures.
flat Apotheke 24 "fill white roundrectangle 1,1 20,20 4,4
  fill #1A8F3A roundrectangle 1,1 20,20 4,4 fill white roundrectangle 3,3 18,18 3,3
  fill #1A8F3A rectangle 8,4 13,17 rectangle 4,8 17,13"
flat Krankenhaus 24 "fill #1E4FB4 roundrectangle 1,1 20,20 4,4
  fill white rectangle 6,5 8,16 rectangle 13,5 15,16 rectangle 8,10 13,11"
flat Parkhaus 24 "fill #1E4FB4 roundrectangle 1,1 20,20 4,4
  fill white rectangle 7,4 9,17 circle 12,8 12,4 fill #1E4FB4 circle 11,8 11,6
  rectangle 10,6 11,9"
flat Polizei 24 "fill #0B5E3C polygon 11,1 20,4 19,13 11,20 3,13 2,4
  fill #F3F3F3 polygon 11,5 12,9 16,9 13,11 14,15 11,13 8,15 9,11 6,9 10,9"
flat Tankstelle 24 "fill #C8102E rectangle 4,4 13,20 fill #E8E8E8 rectangle 6,6 11,10
  fill #333333 rectangle 2,19 15,20 line 14,7 17,9 line 17,9 17,16 line 17,16 15,17
  rectangle 16,9 17,16"

# 8-bit pictures.
shaded "Aussicht 360°" '#9AD0FF' '#2F6A2F' \
  "polygon 1,20 7,8 11,13 15,5 21,20" \
  "fill #FFD21F circle 5,4 5,2 fill white polygon 13,8 15,5 17,8 15,9"
shaded Biergarten '#FFE680' '#D08A00' \
  "rectangle 4,6 14,20" \
  "fill white roundrectangle 3,2 15,7 2,2 fill none stroke #8A5A00 stroke-width 2
  polyline 15,9 19,9 19,16 15,16 stroke none fill #FFF4C0 rectangle 7,10 8,18 rectangle 11,10 12,18"
shaded Sehenswuerdigkeit '#FFE14D' '#E06A00' \
  "polygon 11,1 14,8 21,8 15,12 18,20 11,15 4,20 7,12 1,8 8,8" \
  "fill #FFF8D0 circle 11,10 11,8"
shaded Museum '#F0F0F0' '#707070' \
  "polygon 11,1 21,7 1,7 rectangle 2,18 20,20 rectangle 3,8 5,17 rectangle 8,8 10,17
  rectangle 12,8 14,17 rectangle 17,8 19,17" \
  "fill #5A3A1A circle 11,5 11,4"
shaded Geldautomat '#B8F0B0' '#2E7D32' \
  "rectangle 1,5 20,16" \
  "fill #E8FFE0 circle 11,10 11,7 fill #2E7D32 rectangle 10,8 12,13 rectangle 3,7 5,8
  rectangle 16,13 18,14"

# 4-bit pictures.
flat Blitzer 4 "fill #404040 roundrectangle 1,6 20,19 3,3 fill #909090 rectangle 4,3 9,6
  fill black circle 12,12 12,7 fill #60A0FF circle 12,12 12,10 fill #FFE000
  polygon 17,1 14,5 16,5 13,9 19,4 17,4 19,1"
flat Fahrradverleih 4 "fill none stroke #202020 stroke-width 2 circle 5,15 5,11 circle 16,15 16,11
  stroke #C00000 stroke-width 1 polyline 5,15 9,8 14,8 16,15 line 9,8 11,15 line 11,15 14,8
  line 8,6 11,6 line 9,6 9,8 line 13,5 16,5 line 14,5 14,8"
flat Werkstatt 4 "fill #7A7A7A polygon 3,17 13,7 15,9 5,19 circle 16,6 16,2
  fill $key circle 17,5 17,3 polygon 16,4 20,0 22,2 18,6 fill #7A7A7A circle 4,18 4,16
  fill #D09000 rectangle 1,20 6,21"
flat "P+R Parkplatz am Stadtrand Muenchen Nord" 4 "fill #1E4FB4 roundrectangle 1,1 20,20 4,4
  fill white rectangle 4,4 6,17 circle 8,7 8,4 fill #1E4FB4 circle 8,7 8,6 rectangle 7,6 8,8
  fill #FFD000 rectangle 14,9 15,16 rectangle 11,12 18,13"
