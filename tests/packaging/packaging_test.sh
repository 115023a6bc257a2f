#!/usr/bin/env bash
# Installs the program into a scratch root, builds its Debian package and
# unpacks that too, and checks that both hold what a desktop and Debian
# expect; runs lintian on the package and on its copyright file; then proves
# the Windows version record compiles.
set -euo pipefail
build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "packaging test: $*" >&2; exit 1; }

check_tree() {  # $1: root that holds usr/
  local root=$1 size
  [ -x "$root/usr/bin/vintrel" ] || fail "$root: no executable usr/bin/vintrel"
  [ ! -e "$root/usr/bin/vintrel-keys" ] || fail "$root: the test tool must not be installed"
  desktop-file-validate "$root/usr/share/applications/org.harrowby.Vintrel.desktop" ||
    fail "$root: the desktop entry does not validate"
  appstreamcli validate --no-net "$root/usr/share/metainfo/org.harrowby.Vintrel.metainfo.xml" >/dev/null ||
    fail "$root: the AppStream metainfo does not validate"
  grep -q '<release version="1.00"' "$root/usr/share/metainfo/org.harrowby.Vintrel.metainfo.xml" ||
    fail "$root: the metainfo has no release 1.00"
  for size in 32 48 64 128 256; do
    local icon="$root/usr/share/icons/hicolor/${size}x${size}/apps/org.harrowby.Vintrel.png"
    [ -s "$icon" ] || fail "$root: no ${size}x${size} icon"
    [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || fail "$icon is not ${size}x${size}"
  done
  local doc="$root/usr/share/doc/vintrel"
  [ "$(head -n 1 "$doc/copyright")" = 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ] ||
    fail "$root: no machine-readable copyright file"
  [ "$(gzip -dc "$doc/changelog.gz" | dpkg-parsechangelog -l - -S Version)" = 1.00 ] ||
    fail "$root: the changelog's newest entry is not 1.00"
  gzip -dc "$root/usr/share/man/man1/vintrel.1.gz" | grep -q '^\.TH VINTREL 1 .*"Vintrel 1\.00"' ||
    fail "$root: no manual page for Vintrel 1.00"
}

# The catch-all stanza licenses only the program's own files; every bundled
# font must be named by a stanza of its own.
check_fonts_licensed() {  # $1: copyright file
  local font relative pattern covered patterns
  for font in "$source"/resources/fonts/*.ttf "$source"/resources/fonts/*.otf; do
    relative=${font#"$source"/}
    covered=
    while read -r -a patterns; do
      for pattern in "${patterns[@]}"; do
        # shellcheck disable=SC2053  # the pattern is meant to match as a glob
        if [ "$pattern" != '*' ] && [[ $relative == $pattern ]]; then covered=1; fi
      done
    done < <(sed -n 's/^Files: *//p' "$1")
    [ -n "$covered" ] || fail "the copyright file gives $relative no stanza of its own"
  done
}

# Prints lintian's errors and warnings, one "E tag" or "W tag" a line.
lintian_findings() {
  local out
  out=$(lintian --fail-on none "$@" 2>"$scratch/lintian.err") ||
    { cat "$scratch/lintian.err" >&2; fail "lintian did not run on ${*: -1}"; }
  [ -z "$out" ] || echo "$out" >&2
  sed -n 's/^\([EW]\): [^:]*: \([^ ]*\).*/\1 \2/p' <<<"$out"
}

cmake --install "$build" --prefix "$scratch/installed/usr" >/dev/null
check_tree "$scratch/installed"

(cd "$scratch" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/deb" >/dev/null)
deb=$(ls "$scratch"/deb/vintrel_1.00_*.deb) || fail "cpack made no vintrel_1.00 package"
[ "$(dpkg-deb -f "$deb" Package)" = vintrel ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = 1.00 ] || fail "package version"
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "the package does not depend on Qt Widgets"
[ "$(dpkg-deb -f "$deb" Recommends)" = qt6-wayland ] || fail "the package does not recommend qt6-wayland"
dpkg-deb -x "$deb" "$scratch/unpacked"
check_tree "$scratch/unpacked"
cmp -s "$scratch/installed/usr/share/doc/vintrel/copyright" "$scratch/unpacked/usr/share/doc/vintrel/copyright" ||
  fail "the installed tree and the package carry different copyright files"
check_fonts_licensed "$scratch/unpacked/usr/share/doc/vintrel/copyright"

# lintian judges the machine-readable copyright format only in source
# packages, so the sources and the copyright file go into a throwaway one
# that only lintian's copyright checks look at.
command -v lintian >/dev/null || fail "lintian is not installed"
src="$scratch/src/vintrel-1.00"
mkdir -p "$src/debian/source"
git -C "$source" ls-files -z --cached --others --exclude-standard |
  (cd "$source" && tar --null --ignore-failed-read -T - -cf -) | tar -C "$src" -xf - ||
  fail "could not copy the sources"
cp "$scratch/unpacked/usr/share/doc/vintrel/copyright" "$src/debian/copyright"
gzip -dc "$scratch/unpacked/usr/share/doc/vintrel/changelog.gz" >"$src/debian/changelog"
echo '3.0 (native)' >"$src/debian/source/format"
printf 'Source: vintrel\nMaintainer: %s\nStandards-Version: 4.6.2\n\nPackage: vintrel\nArchitecture: any\nDescription: %s\n' \
  "$(dpkg-deb -f "$deb" Maintainer)" "$(dpkg-deb -f "$deb" Description | head -n 1)" >"$src/debian/control"
(cd "$scratch/src" && dpkg-source -b vintrel-1.00 >/dev/null) || fail "could not build the throwaway source package"

# No errors; no warnings but the accepted ones, and none accepted that
# lintian no longer gives.
accepted=$(sed -n 's/^\([a-z0-9][^ #]*\).*/\1/p' "$source/tests/packaging/lintian-accepted.txt" | sort -u)
findings=$({ lintian_findings "$deb"
             lintian_findings -C debian/copyright/dep5,debian/copyright "$scratch/src/vintrel_1.00.dsc"; } |
           sort -u) || exit 1
errors=$(sed -n 's/^E //p' <<<"$findings")
[ -z "$errors" ] || fail "lintian errors: ${errors//$'\n'/ }"
warnings=$(sed -n 's/^W //p' <<<"$findings")
unexplained=$(comm -23 <(echo "$warnings") <(echo "$accepted") | grep . || true)
[ -z "$unexplained" ] || fail "lintian warnings not accepted: ${unexplained//$'\n'/ }"
stale=$(comm -13 <(echo "$warnings") <(echo "$accepted") | grep . || true)
[ -z "$stale" ] || fail "accepted lintian warnings lintian no longer gives: ${stale//$'\n'/ }"

# The Windows resource script, compiled as a Windows build would.
windres=x86_64-w64-mingw32-windres
command -v $windres >/dev/null || fail "$windres is not installed"
$windres --preprocessor=cpp --include-dir "$source/resources/icons" --include-dir "$source/resources/windows" \
  -i "$build/resources/windows/vintrel.rc" -o "$scratch/vintrel-rc.o" || fail "the resource script does not compile"
x86_64-w64-mingw32-objdump -h "$scratch/vintrel-rc.o" | grep -q '\.rsrc' || fail "no resource section"
$windres -i "$scratch/vintrel-rc.o" -O rc -o "$scratch/roundtrip.rc"
for field in '"ProductName", "Vintrel"' '"InternalName", "Vintrel"' '"FileVersion", "1.00"' \
             '"ProductVersion", "1.00"' '"OriginalFilename", "Vintrel.exe"' \
             'FILEVERSION 1, 0, 0, 0' 'PRODUCTVERSION 1, 0, 0, 0' 'BLOCK "040904B0"' \
             'VALUE "Translation", 0x409, 1200' 'ICON' 'requestedExecutionLevel level=""asInvoker""'; do
  grep -qF "$field" "$scratch/roundtrip.rc" || fail "the compiled resources lack $field"
done
echo "packaging test: install tree, Debian package, its lintian report and Windows resources are sound"
