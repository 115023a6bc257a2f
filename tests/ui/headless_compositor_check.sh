#!/usr/bin/env bash
# Starts the real program natively in GNOME's or KDE's compositor, run
# headless with a private runtime folder and session bus, and reads what the
# two exchange: the compositor must take the calculator and the splash popup
# and answer with their sizes, and report no protocol error (libwayland 1.21
# logs an object as name@id, 1.22 and later as name#id). Headless, these
# compositors have no input devices, so this is all that is checked; the
# program is ended with SIGTERM.
#   headless_compositor_check.sh mutter|kwin PROGRAM
set -euo pipefail
compositor=$1 program=$2
fail() { echo "$compositor check: $*" >&2; exit 1; }
runtime=$(mktemp -d /tmp/vintrel-compositor.XXXXXX)
chmod 700 "$runtime"
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR=$runtime HOME=$runtime
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
case $compositor in
  mutter) command=(mutter --headless --wayland --no-x11 --wayland-display=vintrel-wayland --virtual-monitor 1280x800) ;;
  kwin)
    # kwin_wayland carries a file capability, and a container may refuse to
    # start such a file; a copy without it runs the same. KWin's own Qt
    # platform only starts in a program of that name.
    mkdir "$runtime/bin"
    cp /usr/bin/kwin_wayland "$runtime/bin/"
    command=("$runtime/bin/kwin_wayland" --virtual --no-lockscreen --socket vintrel-wayland --width 1280 --height 800) ;;
  *) fail "the compositor must be mutter or kwin" ;;
esac
command -v "${command[0]}" >/dev/null || fail "${command[0]} is not installed"

# Inside the bus session: the compositor, then the program once its socket
# is up.
dbus-run-session -- bash -c '
  program=$1
  shift
  "$@" >"$XDG_RUNTIME_DIR/compositor.log" 2>&1 &
  compositor=$!
  for _ in $(seq 150); do [ -S "$XDG_RUNTIME_DIR/vintrel-wayland" ] && break; sleep 0.1; done
  WAYLAND_DEBUG=1 WAYLAND_DISPLAY=vintrel-wayland QT_QPA_PLATFORM=wayland "$program" 2>"$XDG_RUNTIME_DIR/program.err" &
  running=$!
  sleep 3
  kill "$running" "$compositor"
  wait 2>/dev/null
  true' bash "$program" "${command[@]}" 2>/dev/null

log=$runtime/program.err
[ -s "$log" ] || fail "the program never spoke to the compositor: $(cat "$runtime/compositor.log")"
grep -q 'xdg_toplevel[@#][0-9]*\.configure(25[0-9], 2[0-9][0-9],' "$log" || fail "the calculator was given no size"
popup=$(sed -n 's/.*xdg_popup[@#][0-9]*\.configure(\(-\?[0-9]*, -\?[0-9]*\), 496, 287)/\1/p' "$log" | head -n 1)
[ -n "$popup" ] || fail "the splash popup was not placed"
! grep -q 'wl_display[@#]1\.error' "$log" || fail "a protocol error: $(grep 'wl_display[@#]1\.error' "$log")"
# Anything not from the protocol log is the program's own complaint.
! grep -v '^\[ *[0-9]*\.[0-9]*\] ' "$log" | grep -q . || fail "the program wrote to standard error: $(grep -v '^\[' "$log")"
echo "$compositor check: both windows taken; the splash popup at ($popup) from the calculator"
