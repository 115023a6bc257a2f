#!/usr/bin/env bash
# Uses the real program in weston as a user would, with real pointer clicks
# and keys, natively on Wayland or through Xwayland (run it under
# weston_session.sh), and saves screenshots of its windows:
#   wayland_test.sh PROGRAM SHOTS wayland|xwayland
set -euo pipefail
program=$1 shots=$2 mode=$3
mkdir -p "$shots"
name="wayland test ($mode)"
fail() { echo "$name: $*" >&2; exit 1; }
scale=$WESTON_SCALE
on_weston() { DISPLAY=$WESTON_INPUT_DISPLAY "$@"; }
source "$(dirname "$0")/program_windows.sh"
# Runs the check until it holds, for up to 5 seconds; its last status stands.
eventually() {
  for _ in $(seq 50); do "$@" && return 0; sleep 0.1; done
  "$@"
}
count() { views | grep -c -e "${1:-.}" || true; }

# The compositor's windows from the top down, one a line: what it is, then
# the rectangle its content covers, "x y width height" in logical pixels.
# Qt marks a native window's content opaque, not the title bar it draws;
# weston's X window manager counts a 1-pixel border of its own in; weston 10
# gives its windows no role, weston 14 the role xwayland.
views() {
  timeout 5 weston-debug scene-graph 2>/dev/null | python3 -c '
import re, sys
view = None
for line in sys.stdin:
    head = re.match(r"\tView \d+ \(role ([^,]*), PID \d+, surface ID \d+, (.*), 0x[0-9a-f]+\):", line)
    if head:
        view = head.group(1) + " " + head.group(2)
        continue
    box = re.search(r"\[(?:opaque: )?\((-?\d+), (-?\d+)\) -> \((-?\d+), (-?\d+)\)\]", line)
    if view and "for output" not in view and "panel" not in view and "cursor" not in view and (box or "fully opaque" in line):
        x1, y1, x2, y2 = map(int, box.groups() if box else where)
        if view.startswith(("(null)", "xwayland")):
            x1, y1, x2, y2 = x1 + 1, y1 + 1, x2 - 1, y2 - 1
        print(f"{view}|{x1} {y1} {x2 - x1} {y2 - y1}")
        view = None
    where_match = re.search(r"position: \((-?\d+), (-?\d+)\) -> \((-?\d+), (-?\d+)\)", line)
    if where_match:
        where = where_match.groups()
'
}

# The content rectangle of the topmost window with the given title, or, for
# "splash", of the splash window, found by its size: it has no title.
content() {
  local found=""
  for _ in $(seq 50); do
    if [ "$1" = splash ]; then
      found=$(views | grep " 496 287$" | head -n 1 | sed 's/.*|//')
    else
      found=$(views | grep -F "window '$1'" | head -n 1 | sed 's/.*|//')
    fi
    [ -n "$found" ] && { echo "$found"; return 0; }
    sleep 0.1
  done
  fail "no window '$1' on screen"
}

# Input reaches the program in the order it is sent, so nothing waits after
# sending it; what is then looked at is waited for.
click() {  # RECT X Y: clicks at (X, Y) of a content rectangle
  local -a r=($1)
  weston_pointer $(( r[0] + $2 )) $(( r[1] + $3 )) click 1
}
keys() { on_weston xdotool key --delay 40 "$@"; }
typed() { on_weston xdotool type --delay 40 "$1"; }

# What weston shows of a content rectangle, with the pixels it has at this
# scale, once the picture holds still for longer than a text cursor's blink,
# so that neither input still on its way nor a cursor is in it. The pointer
# is moved aside first, as weston draws it in.
shoot() {  # RECT FILE
  local -a r=($1)
  local since="" capture=$2.capture.png
  weston_pointer 1278 798
  for _ in $(seq 50); do
    on_weston import -window "$WESTON_X11_WINDOW" -crop \
      "$(( r[2] * scale ))x$(( r[3] * scale ))+$(( r[0] * scale ))+$(( r[1] * scale ))" +repage "$capture"
    if [ -n "$since" ] && [ "$(differing "$capture" "$2")" = 0 ]; then
      (( ${EPOCHREALTIME/./} - since >= 600000 )) && { rm -f "$capture"; return 0; }
    else
      since=${EPOCHREALTIME/./}
      mv "$capture" "$2"
    fi
  done
  fail "$2 never held still"
}
differing() { compare -metric AE "$1" "$2" null: 2>&1 || true; }

# Clicks the calculator's keys with these captions.
key() {
  local caption x y
  for caption; do
    read -r x y <<<"$(key_centre "$caption")"
    click "$calculator" "$x" $(( menu + y ))
  done
}
field_shot() {  # FILE: the first field, once the focus has left it, so no cursor blinks
  keys Tab
  local -a r=($calculator)
  shoot "$(( r[0] )) $(( r[1] + menu )) ${r[2]} 30" "$1"
}

if [ "$mode" = wayland ]; then qpa=wayland; else qpa=xcb; fi
QT_QPA_PLATFORM=$qpa "$program" >/dev/null 2>"$shots/stderr.txt" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

# Natively, what is typed at once goes into the field, not to the splash
# window. weston's X window manager gives a new window the keyboard, as
# Wayland does, so through Xwayland the first key closes the splash window
# and goes nowhere; the keyboard then comes back to the calculator. That key
# is typed once the splash window has been looked at.
splash=$(content splash)
calculator=$(content "Vintrel(Halloween)")
[ "$mode" = wayland ] && typed 12
focused() { [ "$(xdotool getwindowfocus getwindowgeometry 2>/dev/null | sed -n 's/.*Geometry: //p')" = "$1" ]; }
read -r sx sy sw sh <<<"$splash"
read -r cx cy cw ch <<<"$calculator"
menu=$(( ch - 198 ))
[ "$sw x $sh" = "496 x 287" ] || fail "the splash window is ${sw}x$sh, not 496x287"
(( sx >= 0 && sy >= 32 && sx + sw <= 1280 && sy + sh <= 800 )) ||
  fail "the splash window at $splash is not wholly on the screen"
# Nothing lies over it: the topmost window is the splash window.
read -r tx ty tw th <<<"$(views | sed -n 1p | sed 's/.*|//')"
(( tx <= sx && ty <= sy && sx + sw <= tx + tw && sy + sh <= ty + th )) || fail "another window covers the splash window"
# weston's X window manager places a transient dialog where it likes, not
# over its owner; natively the program places its popup itself.
[ "$mode" = xwayland ] || (( sx < cx + cw / 2 && cx + cw / 2 < sx + sw && sy < cy + ch / 2 && cy + ch / 2 < sy + sh )) ||
  fail "the splash window at $splash is not over the calculator at $calculator"
shoot "$splash" "$shots/splash-window.png"
# The first sight: both windows, with the calculator's title bar.
left=$(( (sx < cx ? sx : cx) - 8 )) top=$(( (sy < cy - 30 ? sy : cy - 30) - 8 ))
right=$(( (sx + sw > cx + cw ? sx + sw : cx + cw) + 8 )) bottom=$(( (sy + sh > cy + ch ? sy + sh : cy + ch) + 8 ))
shoot "$left $top $(( right - left )) $(( bottom - top ))" "$shots/start-up.png"
if [ "$mode" = wayland ]; then
  click "$splash" 250 254
else
  eventually focused "$sw"x"$sh" || fail "the splash window never took the keyboard"
  typed 1
fi
eventually eval '[ "$(count)" = 1 ]' || fail "the splash window stayed after it was closed: $(views)"
if [ "$mode" = xwayland ]; then
  eventually focused "$cw"x"$ch" || fail "the keyboard did not come back to the calculator"
  typed 23
fi
field_shot "$shots/typed.png"
# Natively, with the title bar Qt draws: 3 pixels at the sides and below,
# 30 above.
if [ "$mode" = wayland ]; then
  shoot "$(( cx - 3 )) $(( cy - 30 )) $(( cw + 6 )) $(( ch + 33 ))" "$shots/main-window.png"
  # That bar centres the title on the window and clips it between the icon
  # and the minimise button, 35 and 179 pixels from the left: a clipped
  # title no longer sits in the middle.
  read -r tw tx <<<"$(convert "$shots/main-window.png" -crop "$(( 144 * scale ))x$(( 30 * scale ))+$(( 35 * scale ))+0" \
    +repage -fuzz 20% -trim -format '%w %X' info:)"
  shift_from_centre=$(( 35 * scale + tx + tw / 2 - (cw + 6) * scale / 2 ))
  (( shift_from_centre >= -scale && shift_from_centre <= scale )) ||
    fail "the title is cut: it lies $shift_from_centre pixels off the middle of the title bar"
else
  shoot "$calculator" "$shots/main-window.png"
fi

# "C" must not put the splash window on screen, even for a moment. Through
# Xwayland every window mapped is seen: xev records the root window's
# events, and a property set on the root window, until xev reports it,
# marks where its record is known to have begun and, once "C" has shown in
# the field, to have caught up.
marked() {
  local seen
  seen=$(grep -c _VINTREL_TEST_MARK "$shots/x-events.txt" || true)
  for _ in $(seq 50); do
    xprop -root -f _VINTREL_TEST_MARK 8s -set _VINTREL_TEST_MARK "$seen"
    (( $(grep -c _VINTREL_TEST_MARK "$shots/x-events.txt" || true) > seen )) && return 0
    sleep 0.1
  done
  fail "xev did not see the root window's property change"
}
if [ "$mode" = xwayland ]; then
  xev -root -event substructure -event property >"$shots/x-events.txt" 2>&1 &
  xev=$!
  marked
fi
key C
field_shot "$shots/cleared.png"
if [ "$mode" = xwayland ]; then
  marked
  kill "$xev"
  ! grep -q MapNotify "$shots/x-events.txt" || fail '"C" mapped a window'
fi
[ "$(count)" = 1 ] || fail "after \"C\" there is more on screen than the calculator: $(views)"
if [ "$mode" = wayland ]; then key 1 2; else key 2 3; fi
field_shot "$shots/clicked.png"
[ "$(differing "$shots/typed.png" "$shots/clicked.png")" = 0 ] || fail "the keys typed at start did not reach the field as expected"
[ "$(differing "$shots/cleared.png" "$shots/clicked.png")" != 0 ] || fail "the field looks the same empty and with 12"

# Typed keys reach the calculator after "C".
key C; click "$calculator" 100 $(( menu + 12 )); typed 7
field_shot "$shots/typed.png"
key C 7
field_shot "$shots/clicked.png"
[ "$(differing "$shots/typed.png" "$shots/clicked.png")" = 0 ] || fail '"7" typed after "C" did not reach the field'

# A fault shows its message; once it is dismissed, the calculator works.
key C 1 / 0 =
eventually eval '[ "$(count "Vintrel(Halloween)")" = 2 ]' || fail '"1 / 0 =" showed no message'
box=$(views | sed -n 1p | sed 's/.*|//')
shoot "$box" "$shots/fault-box.png"
keys Return
eventually eval '[ "$(count)" = 1 ]' || fail "the fault message stayed after Return"
key C 7
field_shot "$shots/typed.png"
[ "$(differing "$shots/typed.png" "$shots/clicked.png")" = 0 ] || fail "the calculator does not work after the fault message"

click "$calculator" 240 $(( menu + 32 ))   # "?"
help_window=$(content Help-Example)
shoot "$help_window" "$shots/help-window.png"
# With the help window left open, which has no key of its own to close it:
# File > About, closed with Escape; then File > Exit. The menu's keys are
# sent once the menu is on screen: the compositor may turn a popup down, and
# then they would reach the calculator instead.
file_menu() {
  local before
  before=$(count)
  click "$calculator" 15 $(( menu / 2 ))
  eventually eval '(( $(count) > before ))' || fail "the File menu did not open: $(views)"
}
file_menu; keys Down Down Return
about=$(content About)
shoot "$about" "$shots/about-window.png"
keys Escape
eventually eval '[ "$(count "'"'About'"'")" = 0 ]' || fail "About stayed after Escape"
file_menu; keys Down Return
ended_well || fail "on screen then: $(views | tr '\n' ' ')"
trap - EXIT
eventually eval '[ -z "$(views)" ]' || fail "windows stayed after File > Exit: $(views)"
# Qt 6.4's Wayland plugin sometimes complains of its own locks and wait
# conditions as it tears a window down, a menu's or all of them at exit, in
# about one run in ten and in any of these words. The program
# itself takes no locks, and ends through the event loop. Anything else
# fails.
complaints=$(grep -v -x -E 'QMutex: destroying locked mutex|QWaitCondition::wake(All|One)\(\): mutex (un)?lock failure \(Invalid argument\)' \
  "$shots/stderr.txt" || true)
[ -z "$complaints" ] || fail "the program wrote to standard error: $complaints"
rm -f "$shots"/{typed,cleared,clicked}.png "$shots/x-events.txt"
echo "$name: passed; screenshots in $shots"
