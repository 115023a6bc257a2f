#!/usr/bin/env bash
# Plays the committed replay input and seeded random key sequences on two
# builds of vintrel-keys and fails, naming the first differing line, unless
# their outputs are byte for byte the same. For checking that a change
# leaves every result alone, or that two systems agree:
#
#   tests/tools/compare_replay.sh OLD/vintrel-keys NEW/vintrel-keys [SEED [COUNT]]
#   tests/tools/compare_replay.sh build/bin/vintrel-keys "wine64 build-windows/bin/vintrel-keys.exe"
#
# A tool is an executable's path or, if no such file exists, a command line
# (split at blanks). The random sequences take the first tool's keys.
set -euo pipefail
old=$1 new=$2 seed=${3:-1} count=${4:-5000}
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

play() {  # TOOL [ARGUMENT...]
  local tool=$1 words
  shift
  if [ -f "$tool" ]; then
    "$tool" "$@"
  else
    read -ra words <<< "$tool"
    "${words[@]}" "$@"
  fi
}

play "$old" --key-table > "$scratch/keys.json" || { echo "$old gave no key table" >&2; exit 1; }
{ cat "$here/replay_input.txt"; python3 "$here/random_key_sequences.py" "$seed" "$count" < "$scratch/keys.json"; } > "$scratch/input"
play "$old" < "$scratch/input" > "$scratch/old" || { echo "$old failed" >&2; exit 1; }
play "$new" < "$scratch/input" > "$scratch/new" || { echo "$new failed" >&2; exit 1; }
if ! cmp -s "$scratch/old" "$scratch/new"; then
  line=$(cmp "$scratch/old" "$scratch/new" | sed -n 's/.* line \([0-9]*\).*/\1/p' || true)
  echo "outputs differ first at output line ${line:-?}:" >&2
  # cat -v shows a stray carriage return or other control byte as such.
  echo "old: $(sed -n "${line:-1}p" "$scratch/old" | cat -v)" >&2
  echo "new: $(sed -n "${line:-1}p" "$scratch/new" | cat -v)" >&2
  exit 1
fi
echo "$(wc -l < "$scratch/input") sequences, $(wc -l < "$scratch/new") states: identical"
