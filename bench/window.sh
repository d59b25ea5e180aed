#!/bin/sh
# Opens the 1,000,000-face work file in the window until both panes have
# painted, against the same open without a window (--info's path); then one
# fast-pan step of the development pane against a full render of it, and a
# pan step with the default settings (only the strips that come into view
# drawn) against a full render. The lines with "ratio" are the results.
# Makes /tmp/big1m.plc first when it is missing.
set -e
cd "$(dirname "$0")/.."
. bench/common.sh
big_work_file
build_bench window_bench
QT_QPA_PLATFORM=offscreen build/release/bench/window_bench "$BIG"
