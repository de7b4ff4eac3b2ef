#!/bin/sh
# Draws the program's icon at 16, 32, 64 and 128 pixels with ImageMagick: the exact solution of
# dy/dx = -2x - y through (0, -1) in black and three Euler steps in red, over a light-grey grid
# with both axes (no grid at 16 pixels), on the plot area's light yellow. Run it here: ./make_icons.sh
set -eu
cd "$(dirname "$0")"

# points SIZE X0 STEP COUNT FORMULA: pixel coordinates of (x, y) over x in [0, 2] and
# y in [0.3, -2.7], the plot inset by one tenth of the size on each side.
points() {
  awk -v s="$1" -v n="$2" -v kind="$3" 'BEGIN {
    m = s / 10; w = s - 2 * m
    if (kind == "exact") {
      for (i = 0; i <= n; i++) { x = 2 * i / n; y = 2 - 2 * x - 3 * exp(-x); out(x, y) }
    } else {
      x = 0; y = -1; h = 2 / n; out(x, y)
      for (i = 1; i <= n; i++) { y = y + h * (-2 * x - y); x = x + h; out(x, y) }
    }
    printf "\n"
  }
  function out(x, y) { printf "%.2f,%.2f ", m + x / 2 * (w - 1), m + (0.3 - y) / 3 * (w - 1) }'
}

# draw SIZE FILE CURVE_WIDTH GRID [LINE_WIDTH CORNER]: the frame, grid and axes are 1 pixel wide
# with corners of radius 2 unless the larger sizes ask for more.
draw() {
  size=$1; out=$2; stroke=$3; grid_lines=$4; width=${5:-1}; corner=${6:-2}
  lo=$(awk -v w="$width" 'BEGIN { printf "%.2f", w / 2 }')
  hi=$(awk -v s="$size" -v w="$width" 'BEGIN { printf "%.2f", s - w / 2 }')
  m=$(awk -v s="$size" 'BEGIN { printf "%.2f", s / 10 }')
  far=$(awk -v s="$size" 'BEGIN { printf "%.2f", s - 1 - s / 10 }')
  xaxis=$(awk -v s="$size" 'BEGIN { m = s / 10; printf "%.2f", m + 0.3 / 3 * (s - 2 * m - 1) }')
  grid=""
  for g in $grid_lines; do
    p=$(awk -v s="$size" -v g="$g" 'BEGIN { printf "%.2f", s / 10 + g * (s - 2 * s / 10 - 1) }')
    grid="$grid line $p,$m $p,$far line $m,$p $far,$p"
  done
  convert -size "${size}x${size}" xc:none \
    -fill '#FFFFC0' -stroke '#606060' -strokewidth "$width" \
    -draw "roundrectangle $lo,$lo $hi,$hi $corner,$corner" \
    -fill none -stroke '#C0C0C0' -draw "${grid:-point 0,0}" \
    -stroke black -strokewidth "$stroke" -draw "stroke-linejoin round polyline $(points "$size" 20 exact)" \
    -stroke red -draw "stroke-linejoin round polyline $(points "$size" 3 euler)" \
    -stroke black -strokewidth "$width" -draw "line $m,$xaxis $far,$xaxis line $m,$m $m,$far" \
    -strip "PNG32:$out"
}

# At 16x16 a grid would drown the curves, so the small icon has none. Software centres and
# launchers show 64 and 128 pixels, where the lines and corners grow with the size.
draw 128 kemi-128.png 4 "0.25 0.5 0.75" 2 6
draw 64 kemi-64.png 2.5 "0.25 0.5 0.75" 1 3
draw 32 kemi-32.png 1.5 "0.25 0.5 0.75"
draw 16 kemi-16.png 1 ""
