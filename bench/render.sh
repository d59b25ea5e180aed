#!/bin/sh
# Renders the 1,000,000-face development into a 4096 x 4096 BMP and compares
# with a minimal OSMesa program drawing the same geometry; the last line is
# the ratio. Makes /tmp/big1m.plc first when it is missing.
set -e
cd "$(dirname "$0")/.."
. bench/common.sh
big_work_file
build_bench plicora_render_bench
OUT=$(mktemp -d)
QT_QPA_PLATFORM=offscreen build/release/bench/plicora_render_bench "$BIG" "$OUT"
rm -rf "$OUT"
