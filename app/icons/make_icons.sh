#!/bin/sh
# Draws the program's icon at 32x32 and 16x16 with ImageMagick: the exact solution of
# dy/dx = -2x - y through (0, -1) in black and three Euler steps in red, over a light-grey grid
# with both axes (the grid only at 32x32), on the plot area's light yellow. Run it here: ./make_icons.sh
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

draw() {
  size=$1; out=$2; stroke=$3; grid_lines=$4
  m=$(awk -v s="$size" 'BEGIN { printf "%.2f", s / 10 }')
  far=$(awk -v s="$size" 'BEGIN { printf "%.2f", s - 1 - s / 10 }')
  xaxis=$(awk -v s="$size" 'BEGIN { m = s / 10; printf "%.2f", m + 0.3 / 3 * (s - 2 * m - 1) }')
  grid=""
  for g in $grid_lines; do
    p=$(awk -v s="$size" -v g="$g" 'BEGIN { printf "%.2f", s / 10 + g * (s - 2 * s / 10 - 1) }')
    grid="$grid line $p,$m $p,$far line $m,$p $far,$p"
  done
  convert -size "${size}x${size}" xc:none \
    -fill '#FFFFC0' -stroke '#606060' -strokewidth 1 \
    -draw "roundrectangle 0.5,0.5 $((size - 1)).5,$((size - 1)).5 2,2" \
    -fill none -stroke '#C0C0C0' -draw "${grid:-point 0,0}" \
    -stroke black -strokewidth "$stroke" -draw "polyline $(points "$size" 20 exact)" \
    -stroke red -draw "polyline $(points "$size" 3 euler)" \
    -stroke black -strokewidth 1 -draw "line $m,$xaxis $far,$xaxis line $m,$m $m,$far" \
    -strip "PNG32:$out"
}

# At 16x16 a grid would drown the curves, so the small icon has none.
draw 32 kemi-32.png 1.5 "0.25 0.5 0.75"
draw 16 kemi-16.png 1 ""
