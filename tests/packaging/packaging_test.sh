#!/usr/bin/env bash
# Installs the program into a scratch root, builds its Debian package and
# unpacks that too, and checks that both hold what a desktop expects; then
# proves the Windows version record compiles.
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
  for licence in LICENSE-ComicNeue.txt LICENSE-Liberation.txt LICENSE-LiberationNarrow.txt; do
    [ -s "$root/usr/share/doc/vintrel/fonts/$licence" ] || fail "$root: font licence $licence missing"
  done
}

cmake --install "$build" --prefix "$scratch/installed/usr" >/dev/null
check_tree "$scratch/installed"

(cd "$scratch" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/deb" >/dev/null)
deb=$(ls "$scratch"/deb/vintrel_1.00_*.deb) || fail "cpack made no vintrel_1.00 package"
[ "$(dpkg-deb -f "$deb" Package)" = vintrel ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = 1.00 ] || fail "package version"
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "the package does not depend on Qt Widgets"
dpkg-deb -x "$deb" "$scratch/unpacked"
check_tree "$scratch/unpacked"

# The Windows resource script, compiled as a Windows build would.
windres=x86_64-w64-mingw32-windres
command -v $windres >/dev/null || fail "$windres is not installed"
$windres --preprocessor=cpp --include-dir "$source/resources/icons" -i "$build/resources/windows/vintrel.rc" \
  -o "$scratch/vintrel-rc.o" || fail "the resource script does not compile"
x86_64-w64-mingw32-objdump -h "$scratch/vintrel-rc.o" | grep -q '\.rsrc' || fail "no resource section"
$windres -i "$scratch/vintrel-rc.o" -O rc -o "$scratch/roundtrip.rc"
for field in '"ProductName", "Vintrel"' '"InternalName", "Vintrel"' '"FileVersion", "1.00"' \
             '"ProductVersion", "1.00"' '"OriginalFilename", "Vintrel.exe"' \
             'FILEVERSION 1, 0, 0, 0' 'PRODUCTVERSION 1, 0, 0, 0' 'BLOCK "040904B0"' \
             'VALUE "Translation", 0x409, 1200' 'ICON'; do
  grep -qF "$field" "$scratch/roundtrip.rc" || fail "the compiled version record lacks $field"
done
echo "packaging test: install tree, Debian package and Windows version record are sound"
