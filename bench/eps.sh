#!/usr/bin/env bash
# EPS export of the 1,000,000-face work file against a minimal "%f" writer.
# Usage: bench/eps.sh [WORKFILE]   (default /tmp/big1m.plc, generated when missing)
set -euo pipefail
cd "$(dirname "$0")/.."
file="${1:-/tmp/big1m.plc}"
if [ "$file" = /tmp/big1m.plc ]; then
  while [ -e /tmp/big1m.plc.lock ]; do sleep 10; done
  if [ ! -s /tmp/big1m.plc ]; then
    touch /tmp/big1m.plc.lock
    trap 'rm -f /tmp/big1m.plc.lock' EXIT
    python3 ../shared/tools/plcgen/plcgen.py --faces 1000000 --synthetic terrain -o /tmp/big1m.plc
    rm -f /tmp/big1m.plc.lock
    trap - EXIT
  fi
fi
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j2 --target eps_bench >/dev/null
build/release/bench/eps_bench "$file" "${TMPDIR:-/tmp}"
