#!/bin/sh
# Saves the 1,000,000-face development in each vector, cut and picture format
# and prints the longest wait between two progress ticks; the last line is
# that wait against half a second. Makes /tmp/big1m.plc first when it is missing.
set -e
cd "$(dirname "$0")/.."
. bench/common.sh
big_work_file
build_bench tick_gap_bench
OUT=$(mktemp -d)
QT_QPA_PLATFORM=offscreen build/release/bench/tick_gap_bench "$BIG" "$OUT"
rm -rf "$OUT"
