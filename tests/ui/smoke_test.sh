#!/usr/bin/env bash
# Starts the real program on an X server with a window manager (run it under
# xvfb_session.sh), checks that the calculator window and the splash window
# map, the splash in front, saves screenshots of every window with its
# frame as users see it, and ends the program through File > Exit.
set -euo pipefail
program=$1
shots=$2
mkdir -p "$shots"
[ -n "${DISPLAY:-}" ] || { echo "smoke test: no X display; run it under xvfb_session.sh" >&2; exit 1; }
for tool in xdotool import; do
  command -v "$tool" >/dev/null || { echo "smoke test: $tool is not installed" >&2; exit 1; }
done

"$program" >/dev/null 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
size() { xdotool getwindowgeometry "$1" 2>/dev/null | sed -n 's/.*Geometry: //p'; }
place() { xdotool getwindowgeometry "$1" 2>/dev/null | sed -n 's/.*Position: \([0-9]*,[0-9]*\).*/\1/p'; }

# The newest mapped window of the program with the given title (or, for the
# captionless splash window, size).
window() {
  local id found
  for _ in $(seq 100); do
    found=""
    for id in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
      if [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ] || [ "$(size "$id")" = "$1" ]; then
        found=$id
      fi
    done
    [ -n "$found" ] && { echo "$found"; return 0; }
    sleep 0.1
  done
  echo "smoke test: no mapped window titled '$1'" >&2
  return 1
}
# With its frame, as the window manager draws it.
shoot() { sleep 0.3; import -frame -window "$1" "$shots/$2.png"; }

main=$(window "Vintrel(Halloween)")
splash=$(window "496x287")   # the 492 x 283 client area and a 2-pixel border
sleep 0.5

# What the user sees first: the splash window in front of the calculator.
IFS=, read -r sx sy <<<"$(place "$splash")"
IFS=, read -r mx my <<<"$(place "$main")"
IFS=x read -r mw mh <<<"$(size "$main")"
left=$(( (sx < mx ? sx : mx) - 8 )); top=$(( (sy < my ? sy : my) - 32 ))
right=$(( sx + 496 > mx + mw ? sx + 496 : mx + mw )); bottom=$(( sy + 287 > my + mh ? sy + 287 : my + mh ))
import -window root -crop "$((right - left + 8))x$((bottom - top + 8))+$left+$top" +repage "$shots/start-up.png"
shoot "$splash" splash-window

# "(Click To Close)" lies at (250, 254) of the splash window.
xdotool mousemove --window "$splash" 250 254 click 1
for _ in $(seq 50); do [ -z "$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | grep -x "$splash")" ] && break; sleep 0.1; done
shoot "$main" main-window

# Keys by their centres in the client area, below the menu bar.
menu_height=$((mh - 198))
key() { xdotool mousemove --window "$main" "$1" $((menu_height + $2)) click 1; sleep 0.1; }
key 24 84; key 216 117; key 72 180; key 216 148   # 1 / 0 =
box=$(window "Vintrel(Halloween)")
[ "$box" != "$main" ] || { echo "smoke test: no fault message after 1 / 0 =" >&2; exit 1; }
shoot "$box" fault-box
xdotool key Return
sleep 0.3

# The "?" key sits at (240, 32) of the client area.
key 240 32
help=$(window "Help-Example")
shoot "$help" help-window

# File > About, then File > Exit, from the keyboard once the menu is open.
xdotool windowactivate --sync "$main" 2>/dev/null || true
xdotool mousemove --window "$main" 15 $((menu_height / 2)) click 1
sleep 0.3
xdotool key Down Down Return
about=$(window "About")
shoot "$about" about-window

xdotool windowactivate --sync "$main" 2>/dev/null || true
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
trap - EXIT
for f in start-up main-window splash-window fault-box help-window about-window; do
  [ -s "$shots/$f.png" ] || { echo "smoke test: no screenshot $f.png" >&2; exit 1; }
done
echo "smoke test: windows mapped, screenshots in $shots, File > Exit ended the program"
