#!/usr/bin/env bash
# Runs a command in a private Wayland compositor, drawn in a window of the X
# server the caller runs on (xvfb_session.sh none), so that xdotool's
# pointer and keys on that server reach its clients as real input: weston,
# GNOME's mutter (nested) or KDE's KWin (X11-windowed), each with a runtime
# folder and a session bus of its own, and nothing left running after:
#   compositor_session.sh weston|mutter|kwin wayland|xwayland SCALE COMMAND [ARG...]
# With xwayland, the compositor also serves X clients through Xwayland and
# DISPLAY names that server. The command gets COMPOSITOR, COMPOSITOR_SCALE,
# COMPOSITOR_SIZE (its screen, "width height" in logical pixels),
# COMPOSITOR_X11_WINDOW (its window on the outer server) and
# COMPOSITOR_INPUT_DISPLAY (that server), and the function
# compositor_pointer X Y [XDOTOOL COMMAND...], which puts the pointer at
# (X, Y) of the compositor's screen and goes on with the command given, such
# as "click 1".
set -euo pipefail
compositor=$1 mode=$2 scale=$3
shift 3
name="compositor session ($compositor)"
fail() { echo "$name: $*" >&2; exit 1; }
case $compositor in weston | mutter | kwin) ;; *) fail "the compositor must be weston, mutter or kwin" ;; esac
case $mode in wayland | xwayland) ;; *) fail "mode must be wayland or xwayland" ;; esac
[ -n "${DISPLAY:-}" ] || fail "no X server to draw in; run it under xvfb_session.sh"

# The session bus comes first, and the rest runs inside it: the bus and
# everything it started end with it.
if [ -z "${VINTREL_COMPOSITOR_BUS:-}" ]; then
  command -v dbus-run-session >/dev/null || fail "dbus-run-session is not installed"
  VINTREL_COMPOSITOR_BUS=1 exec dbus-run-session -- bash "$0" "$compositor" "$mode" "$scale" "$@"
fi
unset VINTREL_COMPOSITOR_BUS

# A runtime folder of its own, which is also HOME: the sockets, Xwayland's
# authority, the compositor's log and settings go there, and nothing of the
# user's session is reached.
runtime=$(mktemp -d /tmp/vintrel-compositor.XXXXXX)
chmod 700 "$runtime"
socket=vintrel-$$
compositor_pid=""
cleanup() {
  if [ -n "$compositor_pid" ]; then
    kill "$compositor_pid" 2>/dev/null || true
    wait "$compositor_pid" 2>/dev/null || true
  fi
  rm -rf "$runtime"
}
trap cleanup EXIT
log=$runtime/compositor.log
outer=$DISPLAY

# Each compositor's screen is at least 1024x768 logical pixels: on a smaller
# one, mutter puts the calculator so near an edge that a popup centred on it
# cannot fit.
case $compositor in
weston)
  width=1280 height=800
  command -v weston-debug >/dev/null || fail "weston-debug is not installed"
  # No on-screen keyboard: weston would pop one up over any focused text field.
  printf '[input-method]\npath=\n' >"$runtime/weston.ini"
  # --debug lets weston-debug read the scene graph: where each window is.
  command=(weston --backend=x11-backend.so --socket="$socket" --width=$width --height=$height --scale="$scale"
           --idle-time=0 --config="$runtime/weston.ini" --debug --log="$log")
  [ "$mode" = xwayland ] && command+=(--xwayland)
  ;;
mutter)
  width=1024 height=768
  # Its nested output takes its mode, and the scale, from the environment.
  export MUTTER_DEBUG_DUMMY_MODE_SPECS=$(( width * scale ))x$(( height * scale ))
  [ "$scale" = 1 ] || export MUTTER_DEBUG_DUMMY_MONITOR_SCALES=$scale
  command=(mutter --nested --wayland --wayland-display="$socket")
  [ "$mode" = xwayland ] || command+=(--no-x11)
  ;;
kwin)
  width=1024 height=768
  # kwin_wayland carries a file capability, and a container may refuse to
  # start such a file; a copy without it runs the same. KWin's own Qt
  # platform only starts in a program of that name. Without QPainter
  # compositing, KWin finds no OpenGL in Xvfb and shows nothing.
  command -v kwin_wayland >/dev/null || fail "kwin_wayland is not installed"
  mkdir "$runtime/bin"
  cp "$(command -v kwin_wayland)" "$runtime/bin/"
  export KWIN_COMPOSE=Q
  # KWin 6 takes an output's scale from its own saved settings, and gives
  # one it has never seen scale 1, whatever --scale asked for: the settings
  # are there before it starts. KWin 5 reads no such file.
  mkdir "$runtime/.config"
  printf '[{"name": "outputs", "data": [{"connectorName": "X11-0", "scale": %s,
    "mode": {"width": %s, "height": %s, "refreshRate": 60000}}]},
  {"name": "setups", "data": [{"lidClosed": false,
    "outputs": [{"enabled": true, "outputIndex": 0, "position": {"x": 0, "y": 0}, "priority": 0}]}]}]\n' \
    "$scale" $(( width * scale )) $(( height * scale )) >"$runtime/.config/kwinoutputconfig.json"
  command=("$runtime/bin/kwin_wayland" --x11-display "$outer" --socket "$socket" --width $width --height $height
           --scale "$scale" --no-lockscreen)
  [ "$mode" = xwayland ] && command+=(--xwayland)
  ;;
esac
command -v "${command[0]}" >/dev/null || fail "${command[0]} is not installed"
command -v xdotool >/dev/null || fail "xdotool is not installed"
read -r screen_width screen_height <<<"$(xdotool getdisplaygeometry)"
(( screen_width > width * scale && screen_height > height * scale )) ||
  fail "the X screen has no room beside the compositor's window"

export XDG_RUNTIME_DIR=$runtime HOME=$runtime
(unset WAYLAND_DISPLAY QT_QPA_PLATFORM; exec "${command[@]}" >>"$log" 2>&1) &
compositor_pid=$!
# The compositor's window on the outer server: weston logs it; for the
# others it is the window there of the output's size.
x11_window() {
  if [ "$compositor" = weston ]; then
    sed -n "s/.*x11 output .*, window id \([0-9]*\).*/\1/p" "$log" 2>/dev/null | head -n 1
  else
    xwininfo -root -children 2>/dev/null |
      sed -n "s/^ *\(0x[0-9a-f]*\) .*  $(( width * scale ))x$(( height * scale ))+.*/\1/p" | head -n 1
  fi
}
for _ in $(seq 150); do
  COMPOSITOR_X11_WINDOW=$(x11_window || true)
  [ -S "$runtime/$socket" ] && [ -n "$COMPOSITOR_X11_WINDOW" ] && break
  kill -0 "$compositor_pid" 2>/dev/null || break
  sleep 0.1
done
[ -S "$runtime/$socket" ] && [ -n "$COMPOSITOR_X11_WINDOW" ] || { cat "$log" >&2; fail "$compositor did not start"; }
export COMPOSITOR=$compositor COMPOSITOR_SCALE=$scale COMPOSITOR_SIZE="$width $height" COMPOSITOR_X11_WINDOW
export WAYLAND_DISPLAY=$socket COMPOSITOR_INPUT_DISPLAY=$outer

# weston's X11 backend moves its pointer by how far the X pointer moved since
# it last entered weston's window, so a plain move inside that window drifts,
# and a drifted click can land on weston's panel. Where the pointer enters is
# taken as it is: compositor_pointer leaves the window and comes back in at
# the point, which is in the compositor's logical pixels. The outer server
# leaves room beside the window for that. mutter and KWin take the pointer
# where it is put, and leaving does them no harm.
COMPOSITOR_OUTSIDE="$(( screen_width - 1 )) $(( screen_height - 1 ))"
export COMPOSITOR_OUTSIDE
compositor_pointer() {
  DISPLAY=$COMPOSITOR_INPUT_DISPLAY xdotool mousemove $COMPOSITOR_OUTSIDE \
    mousemove --window "$COMPOSITOR_X11_WINDOW" $(( $1 * COMPOSITOR_SCALE )) $(( $2 * COMPOSITOR_SCALE )) "${@:3}"
}
export -f compositor_pointer
# With no window manager the outer server sends keys to the window under the
# pointer, so the pointer rests in a corner of the compositor's window.
compositor_pointer $(( width - 2 )) $(( height - 2 ))
if [ "$compositor" = weston ]; then
  # Its shell draws the panel and takes the pointer's first moves; until it
  # has, a client's first window can come up unfocused.
  for _ in $(seq 100); do
    timeout 2 weston-debug scene-graph 2>/dev/null | grep -q 'panel for output' && break
    sleep 0.1
  done
fi

if [ "$mode" = xwayland ]; then
  # weston starts Xwayland when its first client connects, and logs the
  # display; mutter and KWin 5 start it at once, and name the display and
  # any authority file on its command line. KWin 6 too waits for a first
  # client, listening on the X socket itself, and names it nowhere: the
  # display is the one whose socket it holds.
  display="" auth=""
  for _ in $(seq 150); do
    if [ "$compositor" = weston ]; then
      display=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$log" | head -n 1)
    else
      for child in $(pgrep -P "$compositor_pid" -x Xwayland || true); do
        mapfile -d '' -t args <"/proc/$child/cmdline" || continue
        for i in "${!args[@]}"; do
          case ${args[i]} in :[0-9]*) display=${args[i]} ;; -auth) auth=${args[i + 1]} ;; esac
        done
      done
      if [ -z "$display" ] && [ "$compositor" = kwin ]; then
        held=$(find "/proc/$compositor_pid/fd" -lname 'socket:*' -printf '%l\n' 2>/dev/null | tr -dc '0-9\n' | sort -u)
        display=$(awk 'NR == FNR { held[$1] = 1; next } ($7 in held) && $8 ~ /\/tmp\/\.X11-unix\/X[0-9]+$/ {
          sub(/.*\/X/, ":", $8); print $8; exit }' <(echo "$held") /proc/net/unix)
      fi
    fi
    [ -n "$display" ] && [ -S "/tmp/.X11-unix/X${display#:}" ] && break
    sleep 0.1
  done
  [ -n "$display" ] || { cat "$log" >&2; fail "no Xwayland display"; }
  export DISPLAY=$display
  [ -z "$auth" ] || export XAUTHORITY=$auth
else
  unset DISPLAY
fi
"$@"
