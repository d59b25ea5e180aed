#!/bin/sh
# Renders the 1,000,000-face development into a 4096 x 4096 BMP and compares
# with a minimal OSMesa program drawing the same geometry; the last line is
# the ratio. Makes /tmp/big1m.plc first when it is missing.
set -e
cd "$(dirname "$0")/.."
BIG=/tmp/big1m.plc
while [ -e "$BIG.lock" ]; do sleep 10; done
if [ ! -e "$BIG" ]; then
  touch "$BIG.lock"
  python3 ../shared/tools/plcgen/plcgen.py --faces 1000000 --synthetic terrain -o "$BIG" || { rm -f "$BIG.lock"; exit 1; }
  rm -f "$BIG.lock"
fi
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DPLICORA_BUILD_BENCH=ON >/dev/null
cmake --build build/release -j2 --target plicora_render_bench >/dev/null
OUT=$(mktemp -d)
QT_QPA_PLATFORM=offscreen build/release/bench/plicora_render_bench "$BIG" "$OUT"
rm -rf "$OUT"
