#!/usr/bin/env bash
# The vector exports of the 1,000,000-face work file (PDF of every printed
# page, SVG, EMF) against its EPS export, each an --export run of the
# viewer in the same run; also the peak memory of each run against loading
# the file alone (--info). Every run is capped at 6 GB of address space and
# 30 minutes. One line per format, the worst time ratio last.
# Usage: bench/vector.sh [WORKFILE]   (default /tmp/big1m.plc, made when missing)
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/common.sh
file="${1:-$BIG}"
if [ "$file" = "$BIG" ]; then big_work_file; fi
build_bench plicora-viewer
viewer=build/release/src/cli/plicora-viewer
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# run NAME ARGS...: sets seconds, peak (MB) and size (MB) of one capped run.
run() {
  local name=$1
  shift
  local status=0
  QT_QPA_PLATFORM=offscreen prlimit --as=6000000000 -- timeout 1800 \
    /usr/bin/time -f "%e %M" -o "$work/time" "$viewer" --no-profile "$@" >/dev/null 2>"$work/err" || status=$?
  read -r seconds peak < <(tail -n 1 "$work/time")
  peak=$((peak / 1024))
  size=0
  [ -e "$work/out.$name" ] && size=$(( $(stat -c %s "$work/out.$name") / 1048576 ))
  rm -f "$work/out.$name"
  if [ "$status" -ne 0 ]; then
    echo "$name: failed (status $status): $(head -c 300 "$work/err")"
    seconds=1e9
  fi
}

run info --info "$file"
model=$peak
echo "load: $seconds s, peak $model MB"
run eps --export "$work/out.eps" "$file"
eps=$seconds
echo "eps: $eps s, peak $peak MB, $size MB"
worst=0
for format in pdf svg emf; do
  run "$format" --export "$work/out.$format" "$file"
  ratio=$(awk -v a="$seconds" -v b="$eps" 'BEGIN { printf "%.2f", a / b }')
  memory=$(awk -v a="$peak" -v b="$model" 'BEGIN { printf "%.2f", a / b }')
  echo "$format: $seconds s, peak $peak MB ($memory x load), $size MB; vector $format: ratio $ratio (goal <= 2)"
  worst=$(awk -v a="$ratio" -v b="$worst" 'BEGIN { print (a > b ? a : b) }')
done
echo "vector: ratio $worst (goal <= 2)"
