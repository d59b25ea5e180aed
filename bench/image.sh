#!/usr/bin/env bash
# Texture image decoding: ReadJpegFile against djpeg on the same 4096x4096
# JPEG, ReadBitmapFile against reading a 4096x4096 24-bit BMP into memory.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v djpeg >/dev/null || { echo "image: djpeg missing (apt-get install libjpeg-turbo-progs)" >&2; exit 1; }
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j2 --target image_bench >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
build/release/bench/image_bench "$work"
