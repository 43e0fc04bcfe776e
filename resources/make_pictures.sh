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

# Track bar thumbs, 9 x 17 and 17 x 9: a raised grey knob with a grip line,
# filling its cell (the thumb is drawn opaque).
convert -size 9x17 xc:'#C0C0C0' +antialias -stroke white -draw 'line 0,0 7,0' -draw 'line 0,0 0,15' \
  -stroke '#404040' -draw 'line 8,0 8,16' -draw 'line 0,16 8,16' -stroke '#808080' -draw 'line 7,1 7,15' \
  -draw 'line 1,15 7,15' -draw 'line 4,4 4,12' -stroke white -draw 'line 3,4 3,12' -type TrueColor BMP3:vrtb_hori.bmp
convert vrtb_hori.bmp -rotate 90 -flop -type TrueColor BMP3:vrtb_vert.bmp

# Lights, green, yellow and red side by side on black (the see-through colour),
# off and on: round, square and diamond 13 x 13, rectangular 17 x 7.
light() { # type width height shape-draw
  local type=$1 w=$2 h=$3 shape=$4 state
  for state in OFF ON; do
    local args=() x i
    for i in 0 1 2; do
      local colours=('#004000 #00FF00' '#404000 #FFFF00' '#400000 #FF0000')
      set -- ${colours[$i]}
      local fill=$1; [ $state = ON ] && fill=$2
      x=$((i * w))
      args+=(-fill "$fill" -stroke '#202020' -draw "translate $x,0 $shape")
      [ $state = ON ] && args+=(-fill white -stroke none -draw "translate $x,0 point 3,2" -draw "translate $x,0 point 4,2")
    done
    convert -size $((3 * w))x$h xc:black +antialias "${args[@]}" -type TrueColor BMP3:lights_${type,,}_${state,,}.bmp
  done
}
light RND 13 13 'circle 6,6 6,1'
light SQR 13 13 'rectangle 1,1 11,11'
light DMD 13 13 'polygon 6,0 12,6 6,12 0,6'
light RECT 17 7 'rectangle 1,1 15,5'

# The wizard's watermark, 160 x 319: a memory chip in light green on the
# see-through colour, drawn over the green band. Five colours: kept with a
# palette, a sixth of its size in true colour, the same pixels.
convert -size 160x319 xc:"$key" +antialias -fill '#40C040' -stroke '#80FF80' -strokewidth 2 \
  -draw 'rectangle 40,110 120,210' -fill '#FFFF00' -stroke none -draw 'rectangle 55,150 105,160' \
  -fill '#80FF80' -draw 'rectangle 46,96 52,108' -draw 'rectangle 64,96 70,108' -draw 'rectangle 82,96 88,108' \
  -draw 'rectangle 100,96 106,108' -draw 'rectangle 46,212 52,224' -draw 'rectangle 64,212 70,224' \
  -draw 'rectangle 82,212 88,224' -draw 'rectangle 100,212 106,224' \
  -font DejaVu-Sans-Bold -pointsize 15 -fill white -annotate +26+280 'Quarrimond' -type Palette BMP3:watermark.bmp

# The wizard's header picture, 52 x 52: the optimizer's lightning on a disc.
convert -size 52x52 xc:"$key" +antialias -fill '#008000' -stroke '#004000' -draw 'circle 26,26 26,2' \
  -fill '#FFFF00' -stroke '#806000' -draw 'polygon 30,6 12,30 24,30 19,47 41,21 28,21 36,6' \
  -type TrueColor BMP3:wizard_header.bmp

# The information window's small pictures, 39 of 16 x 16 in one strip, in
# the order the window numbers them.
tile() { # index, then ImageMagick drawing arguments
  local index=$1; shift
  convert -size 16x16 xc:"$key" +antialias "$@" -type TrueColor BMP3:"msi_tile_$(printf %02d "$index").bmp"
}
screen='-fill #C0C0C0 -stroke black -draw rectangle_1,2_14,11 -fill #000080 -stroke none -draw rectangle_3,4_12,9'
letter() { echo "-stroke none -font DejaVu-Sans-Bold -pointsize $3 -fill $1 -annotate $2 $4"; }
untangle() { sed 's/_/ /g'; }
build_tile() { # index, spec with _ for spaces inside a drawing argument
  local index=$1 spec=$2 args=()
  read -r -a words <<< "$spec"
  for w in "${words[@]}"; do args+=("$(echo "$w" | untangle)"); done
  tile "$index" "${args[@]}"
}
build_tile 0  "$screen -fill #808080 -stroke black -draw rectangle_4,12_11,14 -fill #00FF00 -stroke none -draw rectangle_4,5_8,6"
build_tile 1  "-fill #C0C0C0 -stroke black -draw rectangle_3,1_12,14 -fill #404040 -stroke none -draw rectangle_5,3_10,4 -fill #00C000 -draw rectangle_5,11_6,12"
build_tile 2  "-fill #008000 -stroke black -draw rectangle_1,4_14,12 -fill #FFD700 -stroke none -draw rectangle_3,13_12,14 -fill #000000 -draw rectangle_4,6_11,10"
build_tile 3  "$screen -fill #808080 -stroke black -draw rectangle_6,12_9,14"
build_tile 4  "-fill #A0A0A0 -stroke black -draw rectangle_1,5_14,11 -fill #00C000 -stroke none -draw rectangle_11,8_12,9"
build_tile 5  "-fill #202080 -stroke black -draw rectangle_2,2_13,13 -fill #C0C0C0 -stroke none -draw rectangle_5,2_10,6 -fill white -draw rectangle_4,9_11,13"
build_tile 6  "-fill #E0E0E0 -stroke black -draw rectangle_1,4_14,12 -fill #0060C0 -stroke none -draw rectangle_3,6_12,7"
build_tile 7  "-fill #D0D0FF -stroke #404040 -draw circle_8,8_8,1 -fill $key -draw circle_8,8_8,6"
build_tile 8  "-fill #404040 -stroke black -draw rectangle_1,3_14,12 -fill white -stroke none -draw circle_5,7_5,5 -draw circle_11,7_11,5"
build_tile 9  "-fill #E0E000 -stroke black -draw rectangle_2,4_13,12 -fill black -stroke none -draw rectangle_14,6_15,10"
build_tile 10 "-fill #404040 -stroke black -draw rectangle_1,4_14,13 -fill #80C0FF -draw circle_8,9_8,6 -fill #404040 -stroke none -draw rectangle_4,2_7,4"
build_tile 11 "-fill #E0E0E0 -stroke black -draw rectangle_0,4_15,12 -fill #606060 -stroke none -draw rectangle_2,6_3,7 -draw rectangle_5,6_6,7 -draw rectangle_8,6_9,7 -draw rectangle_11,6_12,7 -draw rectangle_4,9_11,10"
build_tile 12 "-fill #E0E0E0 -stroke black -draw ellipse_8,9_5,6_0,360 -draw line_8,3_8,8 -draw line_3,8_13,8"
build_tile 13 "-fill #C0C0A0 -stroke black -draw rectangle_1,6_14,13 -fill #00FF00 -stroke none -draw rectangle_3,10_4,11 -draw rectangle_6,10_7,11 -fill black -draw rectangle_4,2_11,5"
build_tile 14 "-fill #808080 -stroke black -draw polygon_1,4_14,4_12,11_3,11 -fill white -stroke none -draw rectangle_4,6_4,6 -draw rectangle_7,6_7,6 -draw rectangle_10,6_10,6 -draw rectangle_6,9_6,9 -draw rectangle_9,9_9,9"
build_tile 15 "-fill #008000 -stroke black -draw rectangle_1,3_14,11 -fill #FFD700 -stroke none -draw rectangle_2,12_12,14 -fill #C0C0C0 -draw rectangle_10,5_13,9"
build_tile 16 "-fill #FFFF00 -stroke #806000 -draw polygon_9,1_3,9_7,9_5,15_13,6_9,6_11,1"
build_tile 17 "-fill #3060C0 -stroke black -draw rectangle_1,4_14,11 -fill white -stroke none -draw rectangle_3,6_12,7 -draw rectangle_3,9_8,9"
build_tile 18 "-fill #FFFF80 -stroke black -draw circle_8,8_8,1 $(letter black +5+13 11 '?')"
build_tile 19 "-fill #000000 -stroke none -draw ellipse_5,12_3,2_0,360 -draw ellipse_12,10_3,2_0,360 -draw rectangle_7,2_8,12 -draw rectangle_14,1_15,10 -draw polygon_7,2_15,0_15,3_7,5"
build_tile 20 "-fill none -stroke #000080 -draw line_2,8_13,8 -draw line_5,8_8,4 -draw line_8,4_11,4 -draw line_6,8_9,12 -draw line_9,12_11,12 -fill #000080 -draw circle_2,8_2,6 -draw rectangle_11,3_13,5 -draw circle_12,12_12,11"
build_tile 21 "-fill #008000 -stroke black -draw rectangle_1,3_14,11 -fill #FFD700 -stroke none -draw rectangle_2,12_10,14 -fill black -draw circle_11,7_11,5 -draw circle_5,7_5,5"
build_tile 22 "-fill #C08040 -stroke black -draw polygon_1,5_8,2_15,5_8,8 -draw polygon_1,5_8,8_8,15_1,12 -fill #A06020 -draw polygon_8,8_15,5_15,12_8,15"
build_tile 23 "-fill none -stroke #0000C0 -draw polyline_0,8_2,3_4,13_6,2_8,14_10,4_12,12_14,6_15,8"
build_tile 24 "-fill white -stroke black -draw rectangle_1,3_14,13 -fill black -stroke none -draw rectangle_3,3_4,9 -draw rectangle_6,3_7,9 -draw rectangle_10,3_11,9"
build_tile 25 "-fill #A0A0A0 -stroke black -draw rectangle_2,1_13,14 -fill #D0D0FF -draw circle_8,5_8,3 -draw circle_8,11_8,9"
build_tile 26 "-fill #404040 -stroke black -draw rectangle_2,11_13,14 -fill #C00000 -draw circle_8,4_8,2 -fill #808080 -stroke none -draw rectangle_7,5_8,11"
build_tile 27 "-fill #80C0FF -stroke #004080 -draw circle_8,8_8,1 -fill none -draw line_1,8_15,8 -draw ellipse_8,8_3,7_0,360"
build_tile 28 "-fill #E0C060 -stroke black -draw rectangle_1,3_14,12 -fill #FFD700 -draw rectangle_3,5_7,9"
build_tile 29 "-fill #800000 -stroke none -draw rectangle_2,5_9,11 -fill #FF4040 -draw polygon_9,5_14,2_14,14_9,11"
build_tile 30 "-fill #C0C0C0 -stroke black -draw rectangle_1,6_9,10 -draw line_9,8_14,8 -fill black -draw circle_14,8_14,7"
build_tile 31 "-fill #C0C0C0 -stroke black -draw rectangle_1,1_14,14 -fill black -stroke none -draw rectangle_4,3_4,12 -draw rectangle_8,3_8,12 -draw rectangle_12,3_12,12 -fill #00C000 -draw rectangle_3,9_5,10 -draw rectangle_7,5_9,6 -draw rectangle_11,7_13,8"
build_tile 32 "-fill #000000 -stroke none -draw rectangle_0,2_15,13 $(letter '#FFD700' +1+12 8 DX)"
build_tile 33 "-fill #008000 -stroke black -draw rectangle_1,2_14,10 -fill #FFD700 -stroke none -draw rectangle_2,11_11,13 -fill #E0E0E0 -stroke black -draw rectangle_10,4_14,8"
build_tile 34 "-fill white -stroke black -draw rectangle_1,2_14,13 -fill #000080 -stroke none -draw rectangle_2,3_13,5"
build_tile 35 "-fill #E0E0E0 -stroke black -draw rectangle_1,6_14,12 -fill white -draw rectangle_4,1_11,6 -fill #00C000 -stroke none -draw rectangle_11,8_12,9"
build_tile 36 "-fill #E0E0E0 -stroke black -draw rectangle_1,6_14,12 -fill white -draw rectangle_4,1_11,6 -fill #00C000 -stroke none -draw rectangle_11,8_12,9 -fill black -stroke white -draw circle_3,13_3,10 -fill white -stroke none -draw rectangle_2,12_4,14"
build_tile 37 "-fill #E0E0E0 -stroke black -draw rectangle_1,4_14,10 -fill white -draw rectangle_4,0_11,4 -stroke #0000C0 -draw line_8,10_8,15 -draw line_2,15_14,15"
build_tile 38 "-fill #E0E0E0 -stroke black -draw rectangle_1,4_14,10 -fill white -draw rectangle_4,0_11,4 -stroke #0000C0 -draw line_8,10_8,15 -draw line_2,15_14,15 -fill black -stroke white -draw circle_3,12_3,9"
convert msi_tile_*.bmp +append -type TrueColor BMP3:msi_icons.bmp
rm msi_tile_*.bmp
