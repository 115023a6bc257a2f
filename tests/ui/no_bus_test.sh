#!/usr/bin/env bash
# Runs the program where no session bus runs, as on a plain X server, with a
# scratch HOME, and ends it through File > Exit: no process it started may
# survive it, and HOME must stay empty. Run it under xvfb_session.sh.
set -euo pipefail
program=$1
[ -n "${DISPLAY:-}" ] || { echo "no-bus test: no X display; run it under xvfb_session.sh" >&2; exit 1; }
# Without the bus launcher this test could not fail.
command -v dbus-launch >/dev/null || { echo "no-bus test: dbus-launch is not installed" >&2; exit 1; }

name="no-bus test"
source "$(dirname "$0")/program_windows.sh"

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
# Every process the program starts inherits this mark in its environment,
# daemons that detach themselves included.
mark="VINTREL_NO_BUS_TEST=$$.$RANDOM"
marked() { grep -l -s -z -x -F "$mark" /proc/[0-9]*/environ | cut -d/ -f3 || true; }

env -u DBUS_SESSION_BUS_ADDRESS -u XDG_RUNTIME_DIR HOME="$home" "$mark" "$program" >/dev/null 2>&1 &
pid=$!
main=$(window "Vintrel(Halloween)")
splash=$(window "$splash_size")
# With no window manager the later of the two to map lies on top; the click
# on (Click To Close) must reach the splash window.
wait_for 5 "the splash window is not in front of the calculator" in_front "$splash" "$main" ||
  { kill "$pid" 2>/dev/null; exit 1; }
close_splash "$splash" "$main"
exit_through_file_menu "$main" || { kill "$pid" 2>/dev/null; exit 1; }

# A child still ending when the program has ended may be listed for a
# moment; a daemon stays. A marked process starts only from a marked one, so
# a list found empty twice in a row, in case one forked while it was read,
# stays empty.
none_marked() {
  survivors=$(marked)
  [ -z "$survivors" ] || return 1
  survivors=$(marked)
  [ -z "$survivors" ]
}
if ! wait_for 2 "processes it started outlived it:" none_marked; then
  for p in $survivors; do tr '\0' ' ' <"/proc/$p/cmdline" >&2; echo >&2; done
  kill $survivors 2>/dev/null || true
  exit 1
fi
if [ -n "$(ls -A "$home")" ]; then
  echo "no-bus test: the program wrote under HOME:" >&2
  find "$home" -mindepth 1 >&2
  exit 1
fi
echo "no-bus test: no bus started, nothing left behind, HOME untouched"
