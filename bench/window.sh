#!/bin/sh
# Opens the 1,000,000-face work file in the window until both panes have
# painted, against the same open without a window (--info's path); then one
# fast-pan step of the development pane against a full render of it. The
# last two lines are the ratios. Makes /tmp/big1m.plc first when it is missing.
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
cmake --build build/release -j2 --target window_bench >/dev/null
QT_QPA_PLATFORM=offscreen build/release/bench/window_bench "$BIG"
