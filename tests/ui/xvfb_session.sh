#!/usr/bin/env bash
# Runs a command on a private X server, with openbox managing the windows
# or with no window manager at all, as users may have either:
#   xvfb_session.sh openbox|none COMMAND [ARG...]
set -euo pipefail
wm=$1
shift
case $wm in openbox | none) ;; *) echo "xvfb session: window manager must be openbox or none" >&2; exit 2 ;; esac

needed=(Xvfb xdotool xprop)
[ "$wm" = openbox ] && needed+=(openbox)
for tool in "${needed[@]}"; do
  command -v "$tool" >/dev/null || { echo "xvfb session: $tool is not installed" >&2; exit 1; }
done

# The server picks a free display number itself and writes it once it
# listens: two sessions started at once can then never take the same one.
# -noreset: the server must outlive the last client closing, or a test that
# restarts the program would find it gone.
# VINTREL_XVFB_SCREEN: a larger screen, for a compositor's window at scale 2.
ready=$(mktemp)
Xvfb -displayfd 3 -screen 0 "${VINTREL_XVFB_SCREEN:-1024x768x24}" -noreset -nolisten tcp 3>"$ready" >/dev/null 2>&1 &
xvfb=$!
wm_pid=""
cleanup() {
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -f "$ready"
}
trap cleanup EXIT
for _ in $(seq 100); do
  grep -q '^[0-9]' "$ready" && break
  kill -0 "$xvfb" 2>/dev/null || break
  sleep 0.1
done
display=$(head -n 1 "$ready")
[ -n "$display" ] || { echo "xvfb session: Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$display

if [ "$wm" = openbox ]; then
  # Plain openbox, not its session: no autostart programs, no session manager.
  openbox --sm-disable >/dev/null 2>&1 &
  wm_pid=$!
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
  done
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' ||
    { echo "xvfb session: openbox did not start" >&2; exit 1; }
fi

export VINTREL_TEST_WM=$wm
"$@"
