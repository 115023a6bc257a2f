#!/usr/bin/env bash
# Holds the replay tool's output for 5,000 seeded random key sequences to
# the digest recorded when the calculator last changed on purpose, so that
# a change to any result, message or state anywhere in them is noticed.
# When it fails, tests/tools/compare_replay.sh with the previous build names
# the first state that differs.
set -euo pipefail
tool=$1
here=$(cd "$(dirname "$0")" && pwd)
expected=$(cat "$here/random_sequences.sha256")
keys=$("$tool" --key-table)
actual=$(python3 "$here/random_key_sequences.py" 1 5000 <<<"$keys" | "$tool" | sha256sum | cut -d' ' -f1)
if [ "$actual" != "$expected" ]; then
  echo "vintrel-keys output for the seeded sequences changed: digest $actual, recorded $expected" >&2
  exit 1
fi
echo "5000 seeded sequences replay as recorded"
