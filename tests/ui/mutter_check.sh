#!/usr/bin/env bash
# Starts the real program natively in GNOME's compositor, run headless with
# a private runtime folder and session bus, and reads what the two exchange:
# mutter must take the calculator and the splash popup and answer with their
# sizes, and report no protocol error. Headless mutter has no input devices,
# so this is all it can check; the program is ended with SIGTERM.
#   mutter_check.sh PROGRAM
set -euo pipefail
program=$1
fail() { echo "mutter check: $*" >&2; exit 1; }
for tool in mutter dbus-run-session; do
  command -v "$tool" >/dev/null || fail "$tool is not installed"
done
runtime=$(mktemp -d /tmp/vintrel-mutter.XXXXXX)
chmod 700 "$runtime"
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR=$runtime HOME=$runtime
unset DISPLAY WAYLAND_DISPLAY

# Inside the bus session: mutter, then the program once its socket is up.
XDG_RUNTIME_DIR=$runtime dbus-run-session -- bash -c '
  mutter --headless --wayland --no-x11 --wayland-display=vintrel-mutter --virtual-monitor 1280x800 \
    >"$XDG_RUNTIME_DIR/mutter.log" 2>&1 &
  mutter=$!
  for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/vintrel-mutter" ] && break; sleep 0.1; done
  WAYLAND_DEBUG=1 WAYLAND_DISPLAY=vintrel-mutter QT_QPA_PLATFORM=wayland "$0" 2>"$XDG_RUNTIME_DIR/program.err" &
  program=$!
  sleep 3
  kill "$program"
  wait "$program" 2>/dev/null
  kill "$mutter"
  wait "$mutter" 2>/dev/null
  true' "$program" 2>/dev/null

log=$runtime/program.err
[ -s "$log" ] || fail "the program never spoke to mutter: $(cat "$runtime/mutter.log")"
grep -q 'xdg_toplevel@[0-9]*\.configure(25[0-9], 2[0-9][0-9],' "$log" || fail "mutter gave the calculator no size"
grep -q 'xdg_popup@[0-9]*\.configure(-\?[0-9]*, -\?[0-9]*, 496, 287)' "$log" || fail "mutter did not place the splash popup"
! grep -q 'wl_display@1\.error' "$log" || fail "mutter reported a protocol error: $(grep 'wl_display@1\.error' "$log")"
# Anything not from the protocol log is the program's own complaint.
! grep -v '^\[ *[0-9]*\.[0-9]*\] ' "$log" | grep -q . || fail "the program wrote to standard error: $(grep -v '^\[' "$log")"
echo "mutter check: mutter $(mutter --version | head -n 1 | awk '{print $2}') took the calculator and its splash popup"
