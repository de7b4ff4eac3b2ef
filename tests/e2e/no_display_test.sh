#!/bin/bash
# Starting without a display: kemi, and kemi-lab without a command, must end with status 1 and
# one line that names what is missing, not with Qt's abort; a display named but unreachable ends
# the same way; kemi-lab's commands and the offscreen platform still run.
# Usage: no_display_test.sh KEMI KEMI_LAB
set -uo pipefail
kemi=$1
lab=$2
fail() { echo "FAIL: $*"; exit 1; }

# expect_refusal WHAT PATTERN ENV... -- PROGRAM: status 1 and one line on stderr matching PATTERN.
expect_refusal() {
  local what=$1 pattern=$2
  shift 2
  local err status
  err=$(env "$@" 2>&1 >/dev/null)
  status=$?
  [ "$status" = 1 ] || fail "$what: status $status, not 1 ($err)"
  [ "$(printf '%s\n' "$err" | wc -l)" = 1 ] || fail "$what: more than one line: $err"
  [[ $err =~ $pattern ]] || fail "$what: \"$err\" does not match $pattern"
}
bare=(-u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
expect_refusal "kemi" '^kemi: no display .*DISPLAY.*xvfb-run kemi$' "${bare[@]}" "$kemi"
expect_refusal "kemi-lab" '^kemi-lab: no display .*commands need no display' "${bare[@]}" "$lab"
# A display number nothing listens on: Qt's xcb platform cannot connect.
unreachable=:$((7000 + RANDOM % 1000))
[ -e "/tmp/.X11-unix/X${unreachable#:}" ] ||
  expect_refusal "kemi on $unreachable" "^kemi: the window cannot be opened on the display \"$unreachable\"" \
    -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$unreachable" "$kemi"

env "${bare[@]}" "$lab" stability >/dev/null || fail "kemi-lab stability without a display failed"
# The offscreen platform needs no display: the window starts and runs until stopped.
env "${bare[@]}" QT_QPA_PLATFORM=offscreen timeout 3 "$kemi" 2>/dev/null
status=$?
[ "$status" = 124 ] || fail "kemi on the offscreen platform ended by itself with status $status"
echo "no_display_test: passed"
