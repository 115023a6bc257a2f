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

# What the log shows: 1, not yet both windows given their sizes; 2, both;
# 0, both and the compositor past the program's answers to them, which an
# error for an answer would have come before: a callback asked for after the
# last ack_configure has come back, or a buffer attached after it has been
# released.
answered='
  /xdg_toplevel[@#][0-9]+\.configure\(25[0-9], 2[0-9][0-9],/ { toplevel = 1 }
  /xdg_popup[@#][0-9]+\.configure\(-?[0-9]+, -?[0-9]+, 496, 287\)/ { popup = 1 }
  !(toplevel && popup) { next }
  / -> .*\.ack_configure\(/ { split("", asked); split("", attached); done = 0; next }
  / -> .*new id wl_callback[@#][0-9]+/ { match($0, /wl_callback[@#][0-9]+/); asked[substr($0, RSTART + 12, RLENGTH - 12)] = 1; next }
  / -> .*\.attach\(wl_buffer[@#][0-9]+/ { match($0, /wl_buffer[@#][0-9]+/); attached[substr($0, RSTART + 10, RLENGTH - 10)] = 1; next }
  /^\[ *[0-9.]+\] wl_callback[@#][0-9]+\.done\(/ { match($0, /wl_callback[@#][0-9]+/); if (substr($0, RSTART + 12, RLENGTH - 12) in asked) done = 1 }
  /^\[ *[0-9.]+\] wl_buffer[@#][0-9]+\.release\(/ { match($0, /wl_buffer[@#][0-9]+/); if (substr($0, RSTART + 10, RLENGTH - 10) in attached) done = 1 }
  END { exit done ? 0 : toplevel && popup ? 2 : 1 }'

# Inside the bus session: the compositor, then the program once its socket
# is up, until the log shows what is checked below: up to 20 s for the
# sizes, then up to 3 s for the compositor to take the answers.
dbus-run-session -- bash -c '
  program=$1 answered=$2
  shift 2
  "$@" >"$XDG_RUNTIME_DIR/compositor.log" 2>&1 &
  compositor=$!
  for _ in $(seq 150); do [ -S "$XDG_RUNTIME_DIR/vintrel-wayland" ] && break; sleep 0.1; done
  WAYLAND_DEBUG=1 WAYLAND_DISPLAY=vintrel-wayland QT_QPA_PLATFORM=wayland "$program" 2>"$XDG_RUNTIME_DIR/program.err" &
  running=$!
  sized=200 taken=30
  while [ "$sized" -gt 0 ] && [ "$taken" -gt 0 ] && kill -0 "$running" 2>/dev/null; do
    shown=0
    awk "$answered" "$XDG_RUNTIME_DIR/program.err" || shown=$?
    case $shown in 0) break ;; 1) sized=$((sized - 1)) ;; 2) taken=$((taken - 1)) ;; esac
    sleep 0.1
  done
  kill "$running" "$compositor"
  wait 2>/dev/null
  true' bash "$program" "$answered" "${command[@]}" 2>/dev/null

log=$runtime/program.err
[ -s "$log" ] || fail "the program never spoke to the compositor: $(cat "$runtime/compositor.log")"
grep -q 'xdg_toplevel[@#][0-9]*\.configure(25[0-9], 2[0-9][0-9],' "$log" || fail "the calculator was given no size"
popup=$(sed -n 's/.*xdg_popup[@#][0-9]*\.configure(\(-\?[0-9]*, -\?[0-9]*\), 496, 287)/\1/p' "$log" | head -n 1)
[ -n "$popup" ] || fail "the splash popup was not placed"
! grep -q 'wl_display[@#]1\.error' "$log" || fail "a protocol error: $(grep 'wl_display[@#]1\.error' "$log")"
# Anything not from the protocol log is the program's own complaint.
! grep -v '^\[ *[0-9]*\.[0-9]*\] ' "$log" | grep -q . || fail "the program wrote to standard error: $(grep -v '^\[' "$log")"
echo "$compositor check: both windows taken; the splash popup at ($popup) from the calculator"
