#!/usr/bin/env bash
# Starts the real program on a private X server, checks that the calculator
# window and the splash window map, saves a screenshot of every window, and
# ends the program through File > Exit.
set -euo pipefail
program=$1
shots=$2
mkdir -p "$shots"

for tool in Xvfb xdotool import; do
  command -v "$tool" >/dev/null || { echo "smoke test: $tool is not installed" >&2; exit 1; }
done

display=""
for n in $(seq 90 140); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "smoke test: no free X display number" >&2; exit 1; }

Xvfb "$display" -screen 0 1024x768x24 -noreset -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  wait 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

"$program" >/dev/null 2>&1 &
pid=$!
size() { xdotool getwindowgeometry "$1" 2>/dev/null | sed -n 's/.*Geometry: //p'; }

# The window of the program with the given title (or, for the captionless
# splash window, size), once it is mapped.
window() {
  local id
  for _ in $(seq 100); do
    for id in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
      if [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ] || [ "$(size "$id")" = "$1" ]; then
        echo "$id"; return 0
      fi
    done
    sleep 0.1
  done
  echo "smoke test: no mapped window titled '$1'" >&2
  return 1
}
shoot() { xdotool windowraise "$1"; sleep 0.3; import -window "$1" "$shots/$2.png"; }

main=$(window "Vintrel(Halloween)")
splash=$(window "492x283")
sleep 0.5
shoot "$main" main-window
shoot "$splash" splash-window

# The "?" key sits at (240, 32) of the client area, below the menu bar.
main_height=$(size "$main" | cut -dx -f2)
menu_height=$((main_height - 198))
xdotool windowraise "$main"
xdotool mousemove --window "$main" 240 $((menu_height + 32)) click 1
help=$(window "Help-Example")
shoot "$help" help-window

# File > About, then File > Exit, from the keyboard once the menu is open.
xdotool mousemove --window "$main" 15 $((menu_height / 2)) click 1
sleep 0.3
xdotool key Down Down Return
about=$(window "About")
shoot "$about" about-window

xdotool windowraise "$main"
xdotool mousemove --window "$main" 15 $((menu_height / 2)) click 1
sleep 0.3
xdotool key Down Return
for _ in $(seq 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  echo "smoke test: the program is still running after File > Exit" >&2
  exit 1
fi
wait "$pid" || { echo "smoke test: the program exited with status $?" >&2; exit 1; }
pid=""
for f in main-window splash-window help-window about-window; do
  [ -s "$shots/$f.png" ] || { echo "smoke test: no screenshot $f.png" >&2; exit 1; }
done
echo "smoke test: windows mapped, screenshots in $shots, File > Exit ended the program"
