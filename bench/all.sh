#!/usr/bin/env bash
# Runs every benchmark of this folder in turn and prints their lines; a
# benchmark that fails is reported and the others still run.
cd "$(dirname "$0")"
status=0
for script in *.sh; do
  case "$script" in all.sh | common.sh) continue ;; esac
  echo "== ${script%.sh}"
  if ! bash "./$script"; then
    echo "${script%.sh}: failed"
    status=1
  fi
done
exit $status
