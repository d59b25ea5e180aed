#!/bin/sh
# A hundred rounds in one window (open the next work file, print preview,
# copy to the clipboard as a picture and as a metafile) over files from a
# few faces to a few thousand; prints resident memory every ten rounds and
# the growth after the first pass over the files.
set -e
cd "$(dirname "$0")/.."
. bench/common.sh
build_bench memory_bench
d=tests/data
QT_QPA_PLATFORM=offscreen build/release/bench/memory_bench 100 $d/cube.plc $d/sphere_multipage_a4.plc \
  $d/cow_materials.plc $d/icosahedron_textured.plc $d/spot_textured_uv.plc $d/torus_concave_numbers.plc
