#!/bin/sh
# 3D pane: frame time against a vertex-array program, PickFace against a bare
# projection loop. Builds the Release tree first.
set -e
cd "$(dirname "$0")/.."
. bench/common.sh
build_bench view3d_bench
exec build/release/bench/view3d_bench
