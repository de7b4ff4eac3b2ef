#!/bin/sh
# Kemi Lab's packaging files and chart exports: the desktop entry and AppStream metainfo pass
# their validators, the man page help2man made describes the commands, and `--chart` writes an
# SVG that rsvg-convert renders and a PNG, without a display.
# Usage: packaging_test.sh KEMI_LAB APP_SOURCE_DIR MAN_PAGE WORK_DIR
set -eu
lab=$1 app=$2 man=$3 work=$4
mkdir -p "$work"
fail() { echo "packaging_test: $*" >&2; exit 1; }

desktop-file-validate "$app/kemi-lab.desktop" || fail "kemi-lab.desktop is not valid"
# The metainfo as the build configured it (screenshot addresses filled in), beside the man page.
appstreamcli validate --pedantic --no-net "$(dirname "$man")/org.example.kemi.lab.metainfo.xml" ||
  fail "the metainfo file is not valid"

grep -q '^\.SH NAME' "$man" || fail "$man has no NAME section"
for command in convergence steps stability; do
  grep -q "$command" "$man" || fail "$man does not mention $command"
done

unset DISPLAY
rm -f "$work/convergence.svg" "$work/stability.png" "$work/stability-real.png" "$work/convergence.png" \
  "$work/regions.svg" "$work/regions.png"
"$lab" convergence --max-n 256 --chart "$work/convergence.svg" >"$work/convergence.csv" ||
  fail "convergence --chart FILE.svg failed"
"$lab" stability --chart "$work/stability.png" >/dev/null || fail "stability --chart failed"
"$lab" stability --view real --chart "$work/stability-real.png" >/dev/null ||
  fail "stability --view real --chart failed"
cmp -s "$work/stability.png" "$work/stability-real.png" && fail "--view real drew the regions"
rsvg-convert "$work/convergence.svg" -o "$work/convergence.png" ||
  fail "rsvg-convert cannot read the SVG"
"$lab" stability --chart "$work/regions.svg" >/dev/null || fail "stability --chart FILE.svg failed"
rsvg-convert "$work/regions.svg" -o "$work/regions.png" || fail "rsvg-convert cannot read the regions"
for png in convergence stability stability-real regions; do
  file "$work/$png.png" | grep -q 'PNG image data, 960 x 640' || fail "$png.png is not a 960x640 PNG"
done
# A name that is neither .svg nor .png is refused before anything is written.
status=0
"$lab" stability --chart "$work/chart.txt" >/dev/null 2>&1 || status=$?
[ "$status" = 2 ] || fail "--chart chart.txt exited $status, not 2"
[ ! -e "$work/chart.txt" ] || fail "--chart chart.txt wrote a file"
echo "packaging_test: passed"
