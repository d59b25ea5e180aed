#!/usr/bin/env bash
# EPS export of the 1,000,000-face work file against a minimal "%f" writer.
# Usage: bench/eps.sh [WORKFILE]   (default /tmp/big1m.plc, generated when missing)
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/common.sh
file="${1:-$BIG}"
if [ "$file" = "$BIG" ]; then big_work_file; fi
build_bench eps_bench
build/release/bench/eps_bench "$file" "${TMPDIR:-/tmp}"
