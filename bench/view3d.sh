#!/bin/sh
# 3D pane: frame time against a vertex-array program, PickFace against a bare
# projection loop, and a drag turning the 1,000,000-face work file against
# the vertex-array program on its triangles. Builds the Release tree first
# and makes /tmp/big1m.plc when it is missing.
set -e
cd "$(dirname "$0")/.."
. bench/common.sh
big_work_file
build_bench view3d_bench
exec build/release/bench/view3d_bench "$BIG"
