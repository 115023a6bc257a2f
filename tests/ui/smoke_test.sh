#!/usr/bin/env bash
# Starts the real program on an X server with a window manager (run it under
# xvfb_session.sh), checks that the calculator window and the splash window
# map, the splash in front, saves screenshots of every window with its
# frame as users see it, and ends the program through File > Exit. A program
# for another system runs under the emulator given last, such as Wine; the
# replay tool, a native one, gives the keys' places.
#   smoke_test.sh VINTREL_KEYS PROGRAM SCREENSHOTS [EMULATOR]
set -euo pipefail
keys_tool=$1
program=$2
shots=$3
emulator=${4:-}
mkdir -p "$shots"
[ -n "${DISPLAY:-}" ] || { echo "smoke test: no X display; run it under xvfb_session.sh" >&2; exit 1; }
for tool in xdotool import convert python3; do
  command -v "$tool" >/dev/null || { echo "smoke test: $tool is not installed" >&2; exit 1; }
done

name="smoke test"
source "$(dirname "$0")/program_windows.sh"
read_key_table "$keys_tool"

# A Windows program under Wine has no console, so Qt sends its messages to
# the debugger unless told to write them to standard error. Its Windows
# plugin's debug lines go there too: they show the process's DPI awareness
# being taken, so that a warning about it could not have gone unseen. Wine
# hides the machine's QT_ variables from a Windows program, which keeps the
# Linux desktop's Qt settings out of it, and passes them on as WINEQT_ ones.
if [ -n "$emulator" ]; then
  export WINEQT_FORCE_STDERR_LOGGING=1 WINEQT_LOGGING_RULES=qt.qpa.windows.debug=true \
    WINEQT_MESSAGE_PATTERN='%{type} %{category}: %{message}'
fi
${emulator:+"$emulator"} "$program" >/dev/null 2>"$shots/stderr.txt" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
# What import captures, saved as FILE once the program has painted it: two
# captures in a row alike, and not one flat colour, as a window not yet
# painted would show.
capture() {  # FILE IMPORT-OPTION...
  local file=$1 last=""
  shift
  settled() {
    local now
    import "$@" "$file.ppm" 2>/dev/null || return 1
    now=$(md5sum <"$file.ppm")
    if [ "$now" = "$last" ] && [ "$(convert "$file.ppm" -write "$file" -format %k info:)" -gt 1 ]; then
      rm -f "$file.ppm"
      return 0
    fi
    last=$now
    return 1
  }
  wait_for 10 "no still, painted capture for $(basename "$file")" settled "$@"
}
# With its frame, as the window manager draws it.
shoot() { capture "$shots/$2.png" -frame -window "$1"; }

main=$(window "Vintrel(Halloween)")
splash=$(window "$splash_size")
# The window manager puts the splash window, a transient of the
# calculator's, in front of it.
wait_for 5 "the splash window is not in front of the calculator" in_front "$splash" "$main"

# What the user sees first: the splash window in front of the calculator.
IFS=, read -r sx sy <<<"$(place "$splash")"
IFS=, read -r mx my <<<"$(place "$main")"
IFS=x read -r sw sh <<<"$splash_size"
IFS=x read -r mw mh <<<"$(size "$main")"
left=$(( (sx < mx ? sx : mx) - 8 )); top=$(( (sy < my ? sy : my) - 32 ))
right=$(( sx + sw > mx + mw ? sx + sw : mx + mw )); bottom=$(( sy + sh > my + mh ? sy + sh : my + mh ))
capture "$shots/start-up.png" -window root -crop "$((right - left + 8))x$((bottom - top + 8))+$left+$top" +repage
shoot "$splash" splash-window

close_splash "$splash" "$main"
shoot "$main" main-window
started=$(stat -c %s "$shots/stderr.txt")

for key in 1 / 0 =; do press_key "$main" "$key"; done
box=$(window "Vintrel(Halloween)" "$main") || { echo "smoke test: no fault message after 1 / 0 =" >&2; exit 1; }
shoot "$box" fault-box
# The box is modal: until it has gone, a click on the calculator is lost.
timeout 10 xdotool windowactivate --sync "$box" key Return
wait_for 5 "the fault message stayed after Return" hidden "$box"
focus_back "$main" "the fault message"

# The "?" key, the window's own and not a calculator key, sits at (240, 32)
# of the client area.
xdotool mousemove --window "$main" 240 $(( $(menu_height "$main") + 32 )) click 1
help=$(window "Help-Example")
shoot "$help" help-window

# File > About, then File > Exit.
file_menu "$main" 2
about=$(window "About")
shoot "$about" about-window
exit_through_file_menu "$main"
trap - EXIT
for f in start-up main-window splash-window fault-box help-window about-window; do
  [ -s "$shots/$f.png" ] || { echo "smoke test: no screenshot $f.png" >&2; exit 1; }
done
# Wine 8 knows no per-monitor V2 DPI awareness and has no non-client DPI
# scaling, with or without the manifest: Qt says so, by those functions'
# error codes (invalid parameter, not implemented), and takes per-monitor
# awareness instead. Windows 10 and 11 have both. Any other warning while
# the program starts, until the calculator is on screen alone, fails.
if [ -n "$emulator" ]; then
  start=$(head -c "$started" "$shots/stderr.txt")
  grep -qi '^debug qt\.qpa\.windows: .*dpi.*awareness' <<<"$start" ||
    { echo "smoke test: Qt's messages did not reach standard error, or it never took a DPI awareness" >&2; exit 1; }
  ! grep -E '^(warning|critical|fatal) ' <<<"$start" |
    grep -v -E 'DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2\) failed: COM error 0x57 |EnableNonClientDpiScaling\(\) failed .* \(120\)' >&2 ||
    { echo "smoke test: Qt warned as the program started (above)" >&2; exit 1; }
fi
echo "smoke test: windows mapped, screenshots in $shots, File > Exit ended the program"
