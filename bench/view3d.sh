#!/bin/sh
# 3D pane: frame time against a vertex-array program, PickFace against a bare
# projection loop. Builds the Release tree first.
set -e
cd "$(dirname "$0")/.."
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j2 --target view3d_bench >/dev/null
exec build/release/bench/view3d_bench
