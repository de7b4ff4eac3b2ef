#!/usr/bin/env bash
# Checks a built Debian package as a distribution and a software centre would: lintian with no
# error or warning, every desktop entry and AppStream file clean under their validators, and for
# each program the files that must agree: metainfo -> desktop entry -> binary, man page, icon at
# 128 pixels, screenshots that name a picture in docs/, and one version everywhere.
# Usage: check_package.sh PACKAGE.deb WORK_DIR
set -euo pipefail
deb=$1 work=$2
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
failures=0
fail() {
  echo "check_package: $*" >&2
  failures=$((failures + 1))
}

echo "-- lintian"
lintian --fail-on error,warning --display-info --pedantic "$deb" || fail "lintian reports errors or warnings"

root=$work/root
rm -rf "$root" && mkdir -p "$root"
dpkg-deb -x "$deb" "$root"
version=$(dpkg-deb -f "$deb" Version)
changelog_version=$(gzip -dc "$root/usr/share/doc/kemi/changelog.gz" | sed -n '1s/^kemi (\([^)]*\)).*/\1/p')
[ "$changelog_version" = "$version" ] ||
  fail "changelog.gz starts with version '$changelog_version', the package is $version"

echo "-- desktop-file-validate"
for desktop in "$root"/usr/share/applications/*.desktop; do
  out=$(desktop-file-validate "$desktop" 2>&1) || fail "$(basename "$desktop") is not valid"
  [ -z "$out" ] || fail "$(basename "$desktop"): $out"
done

echo "-- appstreamcli validate --pedantic"
xpath() { xmllint --xpath "string($1)" "$2"; }
programs=()
for metainfo in "$root"/usr/share/metainfo/*.metainfo.xml; do
  name=$(basename "$metainfo")
  # No network here or in CI, so the screenshots' reachability is not asked; any hint, even a
  # pedantic one, fails the check.
  out=$(appstreamcli validate --pedantic --no-net "$metainfo" 2>&1) || fail "$name is not valid"
  if grep -q '^[EWIP]: ' <<<"$out"; then fail "$name: $out"; fi
  id=$(xpath /component/id "$metainfo")
  [ "$name" = "$id.metainfo.xml" ] || fail "$name holds the id $id"
  [[ $id =~ ^[a-z]+\.[a-z0-9]+(\.[a-z0-9]+)+$ ]] || fail "$id is not a reverse-DNS id"
  [ "$(xpath /component/project_license "$metainfo")" = GPL-3.0-or-later ] ||
    fail "$name does not give GPL-3.0-or-later"
  release=$(xpath '/component/releases/release[1]/@version' "$metainfo")
  [ "$release" = "$version" ] || fail "$name's newest release is '$release', the package is $version"
  for url in $(xmllint --xpath '//screenshot/image/text()' "$metainfo" 2>/dev/null); do
    [ -f "$source_dir/docs/${url##*/}" ] || fail "$name's screenshot $url is not a picture in docs/"
  done
  desktop=$(xpath '/component/launchable[@type="desktop-id"]' "$metainfo")
  [ -f "$root/usr/share/applications/$desktop" ] || fail "$name launches $desktop, not in the package"
  [ -f "$root/usr/share/applications/$desktop" ] || continue
  program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$root/usr/share/applications/$desktop")
  icon=$(sed -n 's/^Icon=//p' "$root/usr/share/applications/$desktop")
  [ "$(xpath /component/provides/binary "$metainfo")" = "$program" ] ||
    fail "$name does not provide the binary $program that $desktop starts"
  [ -x "$root/usr/bin/$program" ] || fail "$desktop starts $program, not in usr/bin"
  gzip -t "$root/usr/share/man/man1/$program.1.gz" 2>/dev/null || fail "$program has no man page"
  file "$root/usr/share/icons/hicolor/128x128/apps/$icon.png" | grep -q 'PNG image data, 128 x 128' ||
    fail "$desktop's icon $icon has no 128x128 PNG"
  programs+=("$program")
done

# Every program in the package reaches a software centre through its own metainfo.
for binary in "$root"/usr/bin/*; do
  [[ " ${programs[*]} " == *" $(basename "$binary") "* ]] ||
    fail "$(basename "$binary") has no metainfo that launches it"
done

[ "$failures" = 0 ] || { echo "check_package: $failures failures" >&2; exit 1; }
echo "check_package: ${#programs[@]} programs, lintian, desktop entries and metainfo clean"
