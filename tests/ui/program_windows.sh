# Sourced by the tests that drive the real program on an X server. They set
# `pid` (the program) and `name` (for messages) first.

# The splash window has no caption; it is found by its size: the 492 x 283
# client area and a 2-pixel border.
splash_size=496x287

size() { xdotool getwindowgeometry "$1" 2>/dev/null | sed -n 's/.*Geometry: //p'; }
place() { xdotool getwindowgeometry "$1" 2>/dev/null | sed -n 's/.*Position: \([0-9]*,[0-9]*\).*/\1/p'; }

# The newest mapped window of the program with the given title, or size.
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
  echo "$name: no mapped window titled '$1'" >&2
  return 1
}

# The height of the calculator window's menu bar above its 198-pixel client
# area.
menu_height() { echo $(( $(size "$1" | cut -dx -f2) - 198 )); }

# Clicks "(Click To Close)", at (250, 254) of the splash window, and waits
# for the window to go.
close_splash() {
  xdotool mousemove --window "$1" 250 254 click 1
  for _ in $(seq 50); do
    xdotool search --onlyvisible --pid "$pid" 2>/dev/null | grep -qx "$1" || return 0
    sleep 0.1
  done
  echo "$name: the splash window stayed after a click on (Click To Close)" >&2
  return 1
}

# Opens the calculator window's File menu and picks the item so many places
# down: 1 is "Exit", 2 "About".
file_menu() {
  xdotool windowactivate --sync "$1" 2>/dev/null || true
  xdotool mousemove --window "$1" 15 $(( $(menu_height "$1") / 2 )) click 1
  sleep 0.3
  local downs=()
  for _ in $(seq "$2"); do downs+=(Down); done
  xdotool key "${downs[@]}" Return
}

# File > Exit, which must end the program, with status 0.
exit_through_file_menu() {
  file_menu "$1" 1
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then
    echo "$name: the program is still running after File > Exit" >&2
    return 1
  fi
  wait "$pid" || { echo "$name: the program exited with status $?" >&2; return 1; }
}
