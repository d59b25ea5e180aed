#!/usr/bin/env bash
# Loading the 1,000,000-face work file against `wc -w` on the same file, and
# the resident memory per face. Makes /tmp/big1m.plc once if it is missing
# (about 5 minutes; /tmp/big1m.plc.lock marks a generation in progress).
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/common.sh
file=$BIG
big_work_file
build_bench load_bench
build/release/bench/load_bench "$file"
