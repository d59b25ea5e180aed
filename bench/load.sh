#!/usr/bin/env bash
# Loading the 1,000,000-face work file against `wc -w` on the same file, and
# the resident memory per face. Makes /tmp/big1m.plc once if it is missing
# (about 5 minutes; /tmp/big1m.plc.lock marks a generation in progress).
set -euo pipefail
cd "$(dirname "$0")/.."
file=/tmp/big1m.plc
lock=/tmp/big1m.plc.lock
while [ -e "$lock" ]; do sleep 5; done
if [ ! -e "$file" ]; then
  generator=../shared/tools/plcgen/plcgen.py
  [ -e "$generator" ] || { echo "load: $generator missing" >&2; exit 1; }
  touch "$lock"
  trap 'rm -f "$lock"' EXIT
  python3 "$generator" --faces 1000000 --synthetic terrain -o "$file.tmp" >&2
  mv "$file.tmp" "$file"
  rm -f "$lock"
  trap - EXIT
fi
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j2 --target load_bench >/dev/null
build/release/bench/load_bench "$file"
