#!/bin/bash
# Peak memory (maximum resident set size from /usr/bin/time -v) of the kemi program on Xvfb:
# idle after start-up, and after one RK4 run of N steps (default 10^7) typed in with xdotool.
# Usage: bench/ui_memory.sh KEMI CLOSE_WINDOW [N]    (CLOSE_WINDOW: the e2e test's helper)
set -euo pipefail
kemi=$1
close_window=$2
steps=${3:-10000000}

if [ -z "${KEMI_MEMORY_ON_XVFB:-}" ]; then
  exec env KEMI_MEMORY_ON_XVFB=1 xvfb-run -a -s "-screen 0 1024x600x24" "$0" "$@"
fi

red_pixels() { import -window "$1" png:- | convert - txt:- | grep -ci ' #FF0000 ' || true; }

# measure idle|run: starts kemi under /usr/bin/time, optionally runs N steps of RK4, closes it.
measure() {
  local log
  log=$(mktemp)
  /usr/bin/time -v -o "$log" "$kemi" &
  local pid=$!
  local wid
  wid=$(timeout 30 xdotool search --sync --onlyvisible --name '^Kemi - Numerical integration')
  xdotool windowfocus --sync "$wid"
  if [ "$1" = run ]; then
    # The client area is 790x343 pixels below the menu bar; controls at their fixed places.
    local menu=$(($(xdotool getwindowgeometry "$wid" | awk -F'[x ]' '/Geometry/ {print $NF}') - 343))
    xdotool mousemove --window "$wid" 365 $((menu + 41)) click --repeat 3 1 # Text_N
    xdotool key ctrl+a type "$steps"
    xdotool mousemove --window "$wid" 30 $((menu + 232)) click 1 # Option_RK4
    xdotool mousemove --window "$wid" 80 $((menu + 103)) click 1 # Command1
    for _ in $(seq 300); do
      [ "$(red_pixels "$wid")" -gt 0 ] && break
      sleep 0.2
    done
  else
    sleep 1
  fi
  "$close_window" "$wid"
  wait "$pid"
  echo "$1: $(grep -E 'Maximum resident' "$log" | awk '{print $NF}') kB peak resident"
  rm -f "$log"
}

measure idle
measure run
echo "tables of the run: $((16 * (steps + 2) / 1024)) kB (16 bytes a step)"
