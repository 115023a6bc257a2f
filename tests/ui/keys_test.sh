#!/usr/bin/env bash
# Checks that the splash window opens in front of the calculator, then
# clicks the real program's keys (run it under xvfb_session.sh) and reads
# its field back after every key, for a program built for another system:
# Vintrel.exe under Wine. Each field must be what the native replay tool
# shows after the same keys, and a fault must bring up the box with the
# tool's message, after which the calculator goes on. Ends through File >
# Exit and checks that no process of the program is left.
#   keys_test.sh VINTREL_KEYS PROGRAM [EMULATOR]
set -euo pipefail
keys_tool=$1
program=$2
emulator=${3:-}
for tool in xdotool xclip python3; do
  command -v "$tool" >/dev/null || { echo "keys test: $tool is not installed" >&2; exit 1; }
done

name="keys test"
source "$(dirname "$0")/program_windows.sh"
read_key_table "$keys_tool"

# 1 + 2 = first; then, after C, powers, roots, percentages, pi and the memory,
# with decimals and long fractions; then a division by zero and a sum after it.
sequence="1 + 2 = C 7 . 5 * 3 = Sqrt M+ TT + 2 = ^ % MRC - 9 = MC 4 / 6 = C 1 / 0 = 5 + 4 ="

# One line a key: the visible field's text, then the fault message or nothing.
read -ra keys <<<"$sequence"
mapfile -t expected < <(printf '%s\n' "$sequence" | "$keys_tool" | python3 -c '
import json, sys
for line in sys.stdin:
    s = json.loads(line)
    print(s["first"] if s["firstVisible"] else s["second"])
    print(s["error"] or "")')
[ ${#expected[@]} -eq $((2 * ${#keys[@]})) ] || { echo "$name: $keys_tool did not replay the keys" >&2; exit 1; }

# Every process of the program carries this mark in its environment, so
# that the check at the end sees only this run's, not another test's.
mark="VINTREL_KEYS_TEST=$$.$RANDOM"
env "$mark" ${emulator:+"$emulator"} "$program" >/dev/null 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
failures=0
fail() { echo "$name: $*" >&2; failures=$((failures + 1)); }
main=$(window "Vintrel(Halloween)")
splash=$(window "$splash_size")
# The window manager stacks the splash window, a transient of the
# calculator's, once it has taken both.
wait_for 5 "at start the splash window is not in front of the calculator" in_front "$splash" "$main" ||
  failures=$((failures + 1))
close_splash "$splash" "$main"
i=0
for key in "${keys[@]}"; do
  press_key "$main" "$key"
  field=${expected[2 * i]} fault=${expected[2 * i + 1]}
  i=$((i + 1))
  if [ -n "$fault" ]; then
    if ! box=$(window "Vintrel(Halloween)" "$main"); then
      fail "no fault box after key $i ('$key'); the replay tool has '$fault'"
      continue
    fi
    # A message box copies its title, text and buttons on Ctrl+C.
    text=$(copied_text windowactivate --sync "$box" key ctrl+c)
    grep -qxF -- "$fault" <<<"$text" || fail "the fault box after key $i reads '$text', not '$fault'"
    # The box is modal: until it has gone, a click on the calculator is lost.
    xdotool key Return
    wait_for 5 "the fault box after key $i stayed after Return" hidden "$box" || failures=$((failures + 1))
    focus_back "$main" "the fault box after key $i" || failures=$((failures + 1))
  fi
  shown=$(field_text "$main")
  [ "$shown" = "$field" ] || fail "after key $i ('$key') the field shows '$shown', the replay tool '$field'"
done

# The kernel keeps 15 characters of a process name; Wine names its
# processes after their executables.
process=$(basename "$program")
process=${process:0:15}
none_left() {
  local p
  for p in $(pgrep -x "$process"); do
    ! grep -qszxF "$mark" "/proc/$p/environ" || return 1
  done
}
# Else the check after File > Exit could not fail.
! none_left || fail "no running process named $process carries the mark"
exit_through_file_menu "$main"
trap - EXIT
# The emulator may take a moment to end the rest of the program's processes.
wait_for 5 "a process named $process is still running after File > Exit" none_left ||
  failures=$((failures + 1))
[ "$failures" -eq 0 ] || exit 1
echo "keys test: $i keys clicked, every field as the replay tool has it; File > Exit left nothing running"
