#!/bin/bash
# End-to-end test: starts the built program on a virtual X display, presses the space bar with
# real key events (CALCULATE has the focus at start), checks in a screenshot that the plot area
# now shows the red polyline and the black axes, and closes the window as a user would. The
# program must then end by itself with status 0.
# Usage: e2e_test.sh KEMI CLOSE_WINDOW [SCREENSHOT_DIR]
set -euo pipefail

kemi=$1
close_window=$2
shots=${3:-$(mktemp -d)}
mkdir -p "$shots"

for tool in xvfb-run xdotool import convert; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
if [ -z "${KEMI_E2E_DISPLAY:-}" ]; then
  exec env KEMI_E2E_DISPLAY=1 xvfb-run -a -s "-screen 0 1024x600x24" "$0" "$kemi" "$close_window" "$shots"
fi

fail() { echo "FAIL: $*"; kill "$pid" 2>/dev/null || true; exit 1; }

# pixels COLOUR FILE: how many pixels of FILE have exactly that colour.
pixels() { convert "$2" txt:- | grep -ci " $1 " || true; }

# plot_area SHOT OUT: crops the light yellow plot area out of a window screenshot.
plot_area() {
  local box
  box=$(convert "$1" -fill black +opaque '#FFFFC0' -fill white -opaque '#FFFFC0' -format '%@' info:)
  convert "$1" -crop "$box" +repage "$2"
  echo "$box"
}

# Polls (up to 20 s) screenshots of the window until it shows the 321x249 plot area with at
# least MIN red pixels in it; leaves the last one in window.png and its plot area in plot.png.
wait_for_plot() {
  local min=$1
  for _ in $(seq 100); do
    import -window "$wid" "$shots/window.png"
    box=$(plot_area "$shots/window.png" "$shots/plot.png")
    if [ "${box%%+*}" = 321x249 ] && [ "$(pixels '#FF0000' "$shots/plot.png")" -ge "$min" ]; then
      return 0
    fi
    sleep 0.2
  done
  return 1
}

# The program goes to the virtual display even when this test runs with another Qt platform
# (QT_QPA_PLATFORM=offscreen, as the widget tests use) in its environment.
QT_QPA_PLATFORM=xcb "$kemi" &
pid=$!
wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Kemi - Numerical integration') ||
  fail "the main window did not appear"
box=none
wait_for_plot 0 || fail "no 321x249 plot area in the window (last found: $box)"
[ "$(pixels '#FF0000' "$shots/plot.png")" -eq 0 ] || fail "red in the plot area before the run"
[ "$(pixels '#000000' "$shots/plot.png")" -eq 0 ] || fail "black in the plot area before the run"

xdotool windowfocus --sync "$wid"
xdotool key space
wait_for_plot 50 || fail "no red polyline after the space bar"
black=$(pixels '#000000' "$shots/plot.png")
red=$(pixels '#FF0000' "$shots/plot.png")
[ "$black" -ge 300 ] || fail "only $black black pixels: axes missing"
echo "plot area $box: $red red and $black black pixels after the run"

"$close_window" "$wid"
for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the program did not end after its window was closed"
wait "$pid" || fail "the program ended with status $?"
echo "PASS"
