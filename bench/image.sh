#!/usr/bin/env bash
# Texture image decoding: ReadJpegFile against djpeg on the same 4096x4096
# JPEG, ReadBitmapFile against reading a 4096x4096 24-bit BMP into memory.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v djpeg >/dev/null || { echo "image: djpeg missing (apt-get install libjpeg-turbo-progs)" >&2; exit 1; }
. bench/common.sh
build_bench image_bench
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
build/release/bench/image_bench "$work"
