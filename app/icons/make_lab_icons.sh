#!/bin/sh
# Draws Kemi Lab's icon at 16, 32, 64 and 128 pixels with ImageMagick: a convergence chart on the
# plot area's light yellow, three error lines falling at slopes 1, 2 and 4 with a marker at each
# doubling, in the Okabe-Ito black, orange and blue the window gives Euler, EulerEP and RK4, over
# a pair of axes. Run it here: ./make_lab_icons.sh
set -eu
cd "$(dirname "$0")"

# line SIZE SLOPE: the points of one error line, from the top right down to the left, in pixels,
# over a plot inset by one eighth of the size.
line() {
  awk -v s="$1" -v p="$2" 'BEGIN {
    m = s / 8; w = s - 2 * m
    for (i = 0; i <= 4; i++) {
      x = 1 - i / 5; y = 1 - p * i * 0.11
      if (y < -0.01) break
      printf "%.2f,%.2f ", m + x * (w - 1), m + (1 - y) * (w - 1) * 0.92 + w * 0.04
    }
  }'
}

dots() {
  r=$2
  for pt in $1; do
    x=${pt%,*}; y=${pt#*,}
    printf 'circle %s,%s %s,%s ' "$x" "$y" "$(awk -v x="$x" -v r="$r" 'BEGIN { printf "%.2f", x + r }')" "$y"
  done
}

# draw SIZE FILE LINE_WIDTH MARKER_RADIUS [FRAME_WIDTH CORNER]: the frame and axes are 1 pixel
# wide with corners of radius 3 unless the largest size asks for more.
draw() {
  size=$1; out=$2; stroke=$3; radius=$4; width=${5:-1}; corner=${6:-3}
  lo=$(awk -v w="$width" 'BEGIN { printf "%.2f", w / 2 }')
  hi=$(awk -v s="$size" -v w="$width" 'BEGIN { printf "%.2f", s - w / 2 }')
  m=$(awk -v s="$size" 'BEGIN { printf "%.2f", s / 8 }')
  far=$(awk -v s="$size" 'BEGIN { printf "%.2f", s - 1 - s / 8 }')
  set --
  for entry in "1 #000000" "2 #E69F00" "4 #0072B2"; do
    slope=${entry% *}; colour=${entry#* }
    pts=$(line "$size" "$slope")
    set -- "$@" -stroke "$colour" -fill none -strokewidth "$stroke" -draw "stroke-linejoin round polyline $pts"
    [ "$radius" = 0 ] || set -- "$@" -fill "$colour" -strokewidth 1 -draw "$(dots "$pts" "$radius")"
  done
  convert -size "${size}x${size}" xc:none \
    -fill '#FFFFC0' -stroke '#606060' -strokewidth "$width" \
    -draw "roundrectangle $lo,$lo $hi,$hi $corner,$corner" \
    -stroke '#606060' -strokewidth "$width" -draw "line $m,$far $far,$far line $m,$m $m,$far" \
    "$@" -strip "PNG32:$out"
}

# At 16 pixels markers would merge with the lines, so the small icon has none.
draw 128 kemi-lab-128.png 4 3.2 2 6
draw 64 kemi-lab-64.png 2.5 1.8
draw 32 kemi-lab-32.png 1.5 1.2
draw 16 kemi-lab-16.png 1 0
