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
  ended_well
}

# Waits for the program to end, which it must do with status 0.
ended_well() {
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then
    echo "$name: the program is still running after File > Exit" >&2
    return 1
  fi
  wait "$pid" || { echo "$name: the program exited with status $?" >&2; return 1; }
}

# The centre of a calculator key in the client area, in pixels: its
# rectangle in engine/keys.h's key table, in twips, over 15.
key_centre() {
  case $1 in
  0) echo 72 180 ;; 1) echo 24 84 ;; 2) echo 72 84 ;; 3) echo 120 84 ;; 4) echo 24 116 ;;
  5) echo 72 116 ;; 6) echo 120 116 ;; 7) echo 24 148 ;; 8) echo 72 148 ;; 9) echo 120 148 ;;
  .) echo 176 148 ;; +) echo 216 85 ;; -) echo 176 85 ;; '*') echo 176 117 ;; /) echo 216 117 ;;
  =) echo 216 148 ;; ^) echo 120 180 ;; Sqrt) echo 176 52 ;; %) echo 216 52 ;; TT) echo 24 180 ;;
  M+) echo 24 52 ;; MRC) echo 72 52 ;; MC) echo 120 52 ;; C) echo 196 180 ;;
  *) echo "$name: no key '$1'" >&2; return 1 ;;
  esac
}

# Clicks the calculator window's key with this caption.
press_key() {
  local x y
  read -r x y <<<"$(key_centre "$2")"
  xdotool mousemove --window "$1" "$x" $(( $(menu_height "$1") + y )) click 1
  sleep 0.1
}

# What the program puts on the clipboard when sent the given xdotool
# commands, read with xclip. A marker put there first tells a copy that never
# came: the text is then empty, as an empty field copies nothing.
copied_text() {
  local marker="(nothing copied)" text=""
  printf '%s' "$marker" | xclip -selection clipboard -i >/dev/null 2>&1
  xdotool "$@"
  for _ in $(seq 30); do
    text=$(xclip -o -selection clipboard 2>/dev/null || true)
    [ "$text" != "$marker" ] && break
    sleep 0.1
  done
  [ "$text" = "$marker" ] && text=""
  printf '%s\n' "$text"
}

# The text of the calculator's visible field, through a click into it,
# Ctrl+A and Ctrl+C; the two fields lie on top of each other.
field_text() {
  copied_text mousemove --window "$1" 124 $(( $(menu_height "$1") + 12 )) click 1 sleep 0.1 key ctrl+a ctrl+c
}

# Whether the first window lies above the second: xwininfo lists the root
# window's children from the top down, a managed window as its frame.
in_front() {
  local ids=() w
  for w in "$1" "$2"; do
    w=$(printf '0x%x' "$w")
    while ! xwininfo -tree -id "$w" | grep -q 'Parent window id: .*(the root window)'; do
      w=$(xwininfo -tree -id "$w" | sed -n 's/.*Parent window id: \(0x[0-9a-f]*\).*/\1/p')
    done
    ids+=("$w")
  done
  xwininfo -root -children | grep -o '^ *0x[0-9a-f]*' | tr -d ' ' |
    awk -v a="${ids[0]}" -v b="${ids[1]}" '$0 == a { found = 1; exit } $0 == b { exit } END { exit !found }'
}
