#!/usr/bin/env bash
# Plays the committed replay input and seeded random key sequences on two
# builds of vintrel-keys and fails, naming the first differing line, unless
# their outputs are byte for byte the same. For checking that a change
# leaves every result alone:
#
#   tests/tools/compare_replay.sh OLD/vintrel-keys NEW/vintrel-keys [SEED [COUNT]]
set -euo pipefail
old=$1 new=$2 seed=${3:-1} count=${4:-5000}
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

{ cat "$here/replay_input.txt"; python3 "$here/random_key_sequences.py" "$seed" "$count"; } > "$scratch/input"
"$old" < "$scratch/input" > "$scratch/old" || { echo "$old failed" >&2; exit 1; }
"$new" < "$scratch/input" > "$scratch/new" || { echo "$new failed" >&2; exit 1; }
if ! cmp -s "$scratch/old" "$scratch/new"; then
  line=$(cmp "$scratch/old" "$scratch/new" | sed -n 's/.* line \([0-9]*\).*/\1/p' || true)
  echo "outputs differ first at output line ${line:-?}:" >&2
  echo "old: $(sed -n "${line:-1}p" "$scratch/old")" >&2
  echo "new: $(sed -n "${line:-1}p" "$scratch/new")" >&2
  exit 1
fi
echo "$(wc -l < "$scratch/input") sequences, $(wc -l < "$scratch/new") states: identical"
