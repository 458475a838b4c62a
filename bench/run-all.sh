#!/usr/bin/env bash
# Runs every benchmark built in <build dir>/bench, one after another.
set -euo pipefail
build_dir=${1:-build}
for bench in "$build_dir"/bench/bench_*; do
    [[ -f "$bench" && -x "$bench" ]] || continue
    "$bench"
done
