#!/usr/bin/env bash
# Draws the program's pictures with ImageMagick. Run once; the results are
# kept in the repository. Transparent pictures use magenta in their
# bottom-left pixel as the see-through colour.
set -euo pipefail
cd "$(dirname "$0")"
key='#FF00FF'

# Logo, 205 x 64.
convert -size 205x64 gradient:'#0B3D0B'-'#000000' \
  -font DejaVu-Sans-Bold -pointsize 25 -fill '#00FF00' -annotate +12+36 'Quarrimond' \
  -font DejaVu-Sans -pointsize 11 -fill '#FFFF00' -annotate +16+56 'memory monitor & optimizer' \
  -type TrueColor BMP3:logo.bmp

# Button glyphs, 32 x 32.
convert -size 32x32 xc:"$key" +antialias -fill '#C0C0C0' -stroke black -draw 'rectangle 3,4 28,22' \
  -fill '#000080' -stroke none -draw 'rectangle 6,7 25,19' -fill '#00FF00' -draw 'rectangle 8,9 14,10' \
  -draw 'rectangle 8,12 20,13' -draw 'rectangle 8,15 17,16' -fill '#808080' -stroke black \
  -draw 'rectangle 12,23 19,25' -draw 'rectangle 7,26 24,28' -type TrueColor BMP3:glyph_sysinfo.bmp
convert -size 32x32 xc:"$key" +antialias -fill '#FFD700' -stroke '#806000' -draw 'rectangle 3,9 28,26' \
  -draw 'rectangle 3,6 13,9' -fill '#3060C0' -stroke black -draw 'ellipse 16,27 7,3 0,360' \
  -draw 'line 16,20 16,24' -type TrueColor BMP3:glyph_shares.bmp
convert -size 32x32 xc:"$key" +antialias -fill '#FFFF00' -stroke '#806000' \
  -draw 'polygon 18,2 6,18 14,18 11,30 26,12 17,12 22,2' -type TrueColor BMP3:glyph_optimize.bmp

# Small icons, 16 x 16: help and banner.
convert -size 16x16 xc:"$key" +antialias -fill '#0050C0' -stroke none -draw 'circle 8,8 8,1' \
  -font DejaVu-Sans-Bold -pointsize 12 -fill white -annotate +4+13 '?' -type TrueColor BMP3:help.bmp
convert -size 16x16 xc:"$key" +antialias -fill '#008000' -stroke none -draw 'circle 8,8 8,1' \
  -font DejaVu-Sans-Bold -pointsize 12 -fill '#FFFF00' -annotate +6+13 'i' -type TrueColor BMP3:banner.bmp

# Dialog pictures, 32 x 32.
convert -size 32x32 xc:"$key" +antialias -fill '#FFD700' -stroke '#806000' -draw 'rectangle 2,8 29,27' \
  -draw 'rectangle 2,5 12,8' -fill '#00A000' -stroke black -draw 'circle 23,23 23,17' \
  -type TrueColor BMP3:shares_icon.bmp
convert -size 32x32 xc:"$key" +antialias -fill '#208020' -stroke black -draw 'rectangle 4,8 27,23' \
  -fill '#C0C000' -draw 'rectangle 7,11 10,20' -draw 'rectangle 12,11 15,20' -draw 'rectangle 17,11 20,20' \
  -draw 'rectangle 22,11 25,20' -type TrueColor BMP3:defrag_icon.bmp

# The program's icon: a memory chip, 32 and 16 pixels.
for size in 32 16; do
  s=$((size - 1)); m=$((size / 8))
  convert -size ${size}x${size} xc:none -fill '#006000' -stroke '#00FF00' \
    -draw "rectangle $m,$((m*2)) $((s-m)),$((s-m*2))" -fill '#FFFF00' -stroke none \
    -draw "rectangle $((m*2)),$((size/2-1)) $((s-m*2)),$((size/2))" chip$size.png
done
convert chip32.png chip16.png quarrimond.ico
rm chip32.png chip16.png
