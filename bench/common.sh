# Shared by the benchmark scripts, which source it from the repository's
# top folder: the release build they run and the 1,000,000-face work file
# most of them measure.

BIG=/tmp/big1m.plc

# build_bench TARGET: configures the release tree and builds TARGET in it.
build_bench() {
  cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build build/release -j2 --target "$1" >/dev/null
}

# big_work_file: makes $BIG with plcgen when it is missing (about 5 minutes
# on an idle machine). $BIG.lock marks a generation in progress; the other
# scripts wait for it.
big_work_file() {
  while [ -e "$BIG.lock" ]; do sleep 10; done
  [ -s "$BIG" ] && return 0
  touch "$BIG.lock"
  if python3 ../shared/tools/plcgen/plcgen.py --faces 1000000 --synthetic terrain -o "$BIG.tmp" >&2; then
    mv "$BIG.tmp" "$BIG"
    rm -f "$BIG.lock"
  else
    rm -f "$BIG.lock" "$BIG.tmp"
    echo "bench: cannot make $BIG" >&2
    return 1
  fi
}
