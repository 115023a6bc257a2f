#!/usr/bin/env bash
# Runs a command in a private weston, drawn in a window of the X server the
# caller runs on (xvfb_session.sh none), so that xdotool's pointer and keys on
# that server reach weston's clients as real input:
#   weston_session.sh wayland|xwayland SCALE COMMAND [ARG...]
# With xwayland, weston also serves X clients through Xwayland and DISPLAY
# names that server. The command gets WESTON_X11_WINDOW (weston's window on
# the outer server), WESTON_INPUT_DISPLAY (that server) and WESTON_SCALE, and
# the function weston_pointer X Y [XDOTOOL COMMAND...], which puts the
# pointer at (X, Y) of weston's screen and goes on with the command given,
# such as "click 1".
set -euo pipefail
mode=$1 scale=$2
shift 2
case $mode in wayland | xwayland) ;; *) echo "weston session: mode must be wayland or xwayland" >&2; exit 2 ;; esac
[ -n "${DISPLAY:-}" ] || { echo "weston session: no X server to draw in; run it under xvfb_session.sh" >&2; exit 1; }
for tool in weston weston-debug xdotool; do
  command -v "$tool" >/dev/null || { echo "weston session: $tool is not installed" >&2; exit 1; }
done

# A runtime folder of its own: the socket, Xwayland's sockets and weston's
# log go there, and nothing of the user's session is reached.
runtime=$(mktemp -d /tmp/vintrel-weston.XXXXXX)
chmod 700 "$runtime"
socket=vintrel-$$
weston_pid=""
cleanup() {
  if [ -n "$weston_pid" ]; then
    kill "$weston_pid" 2>/dev/null || true
    wait "$weston_pid" 2>/dev/null || true
  fi
  rm -rf "$runtime"
}
trap cleanup EXIT

# No on-screen keyboard: weston would pop one up over any focused text field.
printf '[input-method]\npath=\n' >"$runtime/weston.ini"
options=(--backend=x11-backend.so --socket="$socket" --width=1280 --height=800 --scale="$scale"
         --idle-time=0 --config="$runtime/weston.ini" --debug --log="$runtime/weston.log")
[ "$mode" = xwayland ] && options+=(--xwayland)
# --debug lets weston-debug read the scene graph: where each window is.
XDG_RUNTIME_DIR=$runtime weston "${options[@]}" >/dev/null 2>&1 &
weston_pid=$!
export XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=$socket WESTON_SCALE=$scale WESTON_INPUT_DISPLAY=$DISPLAY
for _ in $(seq 100); do
  WESTON_X11_WINDOW=$(sed -n "s/.*x11 output .*, window id \([0-9]*\).*/\1/p" "$runtime/weston.log" 2>/dev/null | head -n 1 || true)
  [ -S "$runtime/$socket" ] && [ -n "$WESTON_X11_WINDOW" ] && break
  kill -0 "$weston_pid" 2>/dev/null || break
  sleep 0.1
done
[ -n "${WESTON_X11_WINDOW:-}" ] || { cat "$runtime/weston.log" >&2; echo "weston session: weston did not start" >&2; exit 1; }
export WESTON_X11_WINDOW
# weston's X11 backend moves its pointer by how far the X pointer moved since
# it last entered weston's window, so a plain move inside that window drifts,
# and a drifted click can land on weston's panel. Where the pointer enters is
# taken as it is: weston_pointer leaves the window and comes back in at the
# point, which is in weston's logical pixels. The outer server must leave
# room beside weston's window for that.
read -r screen_width screen_height <<<"$(xdotool getdisplaygeometry)"
(( screen_width > 1280 * scale && screen_height > 800 * scale )) ||
  { echo "weston session: the X screen has no room beside weston's window" >&2; exit 1; }
WESTON_OUTSIDE="$(( screen_width - 1 )) $(( screen_height - 1 ))"
export WESTON_OUTSIDE
weston_pointer() {
  DISPLAY=$WESTON_INPUT_DISPLAY xdotool mousemove $WESTON_OUTSIDE \
    mousemove --window "$WESTON_X11_WINDOW" $(( $1 * WESTON_SCALE )) $(( $2 * WESTON_SCALE )) "${@:3}"
}
export -f weston_pointer
# With no window manager the outer server sends keys to the window under the
# pointer, so the pointer rests in a corner of weston's window.
weston_pointer 1278 798
# Its shell draws the panel and takes the pointer's first moves; until it
# has, a client's first window can come up unfocused.
for _ in $(seq 100); do
  timeout 2 weston-debug scene-graph 2>/dev/null | grep -q 'panel for output' && break
  sleep 0.1
done

if [ "$mode" = xwayland ]; then
  # Xwayland starts when its first client connects; weston logs the display.
  display=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$runtime/weston.log" | head -n 1)
  [ -n "$display" ] || { cat "$runtime/weston.log" >&2; echo "weston session: no Xwayland display" >&2; exit 1; }
  export DISPLAY=$display
else
  unset DISPLAY
fi
"$@"
