# Sourced by the tests that drive the real program on an X server. They set
# `pid` (the program) and `name` (for messages) first, and read the key
# table with read_key_table before they press a key.

# The splash window has no caption; it is found by its size: the 492 x 283
# client area and a 2-pixel border.
splash_size=496x287

size() { xdotool getwindowgeometry "$1" 2>/dev/null | sed -n 's/.*Geometry: //p'; }
place() { xdotool getwindowgeometry "$1" 2>/dev/null | sed -n 's/.*Position: \([0-9]*,[0-9]*\).*/\1/p'; }

# Runs the check until it holds, polling for up to so many seconds; when it
# never does, says what went wrong and how long it was given. The clock, not
# a count of polls, bounds it: on a loaded machine each check takes longer.
wait_for() {  # SECONDS FAILURE CHECK [ARG...]
  local seconds=$1 failure=$2 deadline
  shift 2
  deadline=$(( ${EPOCHREALTIME//[!0-9]/} + seconds * 1000000 ))
  until "$@"; do
    if (( ${EPOCHREALTIME//[!0-9]/} > deadline )); then
      echo "$name: $failure (waited $seconds s)" >&2
      return 1
    fi
    sleep 0.1
  done
}

# Lists are read whole before grep -q looks at them: it quits at the first
# match, and the writer it leaves would fail the pipe.
visible_windows() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null || true; }
shown() { grep -qx "$1" <<<"$(visible_windows)"; }
hidden() { ! shown "$1"; }

# The newest mapped window of the program with the given title, or size,
# other than the window given second, as a box opened over it has the same
# title. A start under an emulator that first sets itself up may be slow.
window() {  # TITLE|SIZE [OTHER-THAN]
  found_window() {
    local id
    found=""
    for id in $(visible_windows); do
      [ "$id" = "${2:-}" ] && continue
      if [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ] || [ "$(size "$id")" = "$1" ]; then
        found=$id
      fi
    done
    [ -n "$found" ]
  }
  local found
  wait_for 15 "no mapped window titled '$1'${2:+ besides $2}" found_window "$@" || return 1
  echo "$found"
}

# The height of the calculator window's menu bar above its 198-pixel client
# area.
menu_height() { echo $(( $(size "$1" | cut -dx -f2) - 198 )); }

# Whether the window manager has given this window the focus.
active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }

# When a window that has the focus closes, the window manager hands it back
# to the calculator; a click on the calculator before then may never reach
# it. With no window manager nothing moves the focus.
focus_back() {  # CALCULATOR WHAT-CLOSED
  [ "${VINTREL_TEST_WM:-none}" = none ] && return 0
  wait_for 5 "the calculator did not get the focus back after $2 closed" active "$1"
}

# Clicks "(Click To Close)", at (250, 254) of the splash window, and waits
# for the window to go and the calculator to have the focus.
close_splash() {  # SPLASH CALCULATOR
  xdotool mousemove --window "$1" 250 254 click 1
  wait_for 5 "the splash window stayed after a click on (Click To Close)" hidden "$1" || return 1
  focus_back "$2" "the splash window"
}

# Clicks at (x, y) of the window and returns once the click has reached the
# program. A window manager that focuses windows on a click holds the
# pointer until it has seen the press, while keys typed meanwhile go
# straight to the focused window; the pointer, as clients see it, stays
# where it is until then, so a one-pixel move that shows marks its release.
click_at() {  # WINDOW X Y
  timeout 10 xdotool mousemove --window "$1" "$2" "$3" click 1 mousemove_relative --sync 1 0 ||
    { echo "$name: the pointer was still held 10 s after a click" >&2; return 1; }
}

# Opens the calculator window's File menu and picks the item so many places
# down: 1 is "Exit", 2 "About".
file_menu() {
  timeout 10 xdotool windowactivate --sync "$1" 2>/dev/null || true
  local before downs=()
  before=$(visible_windows)
  xdotool mousemove --window "$1" 15 $(( $(menu_height "$1") / 2 )) click 1
  # The menu is a window of its own; the keys are for it.
  menu_opened() { grep -qvxF "$before" <<<"$(visible_windows)"; }
  wait_for 5 "the File menu did not open" menu_opened || return 1
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
  ended() { ! kill -0 "$pid" 2>/dev/null; }
  wait_for 5 "the program is still running after File > Exit" ended || return 1
  wait "$pid" || { echo "$name: the program exited with status $?" >&2; return 1; }
}

# The centre of each calculator key in the client area, in pixels, by
# caption, from the replay tool's key table.
declare -A key_centres=()
read_key_table() {  # VINTREL_KEYS
  local caption centre
  while IFS=$'\t' read -r caption centre; do key_centres[$caption]=$centre; done < <("$1" --key-table |
    python3 -c 'import json, sys
for k in json.load(sys.stdin): r = k["rect"]; print("%s\t%d %d" % (k["caption"], r["left"] + r["width"] // 2, r["top"] + r["height"] // 2))')
  (( ${#key_centres[@]} )) || { echo "$name: $1 gave no key table" >&2; return 1; }
}
key_centre() {
  [ -n "${key_centres[$1]:-}" ] || { echo "$name: no key '$1'" >&2; return 1; }
  echo "${key_centres[$1]}"
}

# Clicks the calculator window's key with this caption. Clicks reach the
# program in order, so only what is read after one waits for it.
press_key() {
  local centre x y
  centre=$(key_centre "$2") || return 1
  read -r x y <<<"$centre"
  xdotool mousemove --window "$1" "$x" $(( $(menu_height "$1") + y )) click 1
}

# What the program puts on the clipboard when sent the given xdotool
# commands, read with xclip. A marker put there first tells a copy that never
# came: the text is then empty, as an empty field copies nothing.
copied_text() {
  local marker="(nothing copied)" text=""
  printf '%s' "$marker" | xclip -selection clipboard -i >/dev/null 2>&1
  timeout 10 xdotool "$@" || true
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
  click_at "$1" 124 $(( $(menu_height "$1") + 12 )) || return 1
  copied_text key ctrl+a ctrl+c
}

# Whether the first window lies above the second: xwininfo lists the root
# window's children from the top down, a managed window as its frame.
in_front() {
  local ids=() w info parent stack
  for w in "$1" "$2"; do
    w=$(printf '0x%x' "$w")
    while :; do
      info=$(xwininfo -tree -id "$w" 2>/dev/null) || return 1
      parent=$(sed -n 's/.*Parent window id: //p' <<<"$info")
      [[ $parent == *"(the root window)"* ]] && break
      w=${parent%% *}
      [ -n "$w" ] && [ "$w" != 0x0 ] || return 1
    done
    ids+=("$w")
  done
  stack=$(xwininfo -root -children) || return 1
  grep -o '^ *0x[0-9a-f]*' <<<"$stack" | tr -d ' ' |
    awk -v a="${ids[0]}" -v b="${ids[1]}" '!done && $0 == a { found = 1 } $0 == a || $0 == b { done = 1 } END { exit !found }'
}
