#!/usr/bin/env bash
# Runs every fuzz target built in <build dir>/fuzz for <seconds> each, one after another, starting from its seed
# corpus in fuzz/corpus/<target>. Inputs that reach new code go to <build dir>/fuzz-corpus/<target>, never into the
# repository; a crash, leak or undefined behaviour stops the target and leaves its input in
# <build dir>/fuzz-findings/<target>. Ends with one line of figures per target and fails when any target failed.
set -euo pipefail
build_dir=${1:-build-fuzz}
seconds=${2:-60}
fuzz_dir=$(cd "$(dirname "$0")" && pwd)

summary=()
failed=0
for source in "$fuzz_dir"/fuzz_*.cpp; do
    target=$(basename "$source" .cpp)
    scratch="$build_dir/fuzz-corpus/$target"
    findings="$build_dir/fuzz-findings/$target"
    log="$build_dir/fuzz-logs/$target.log"
    mkdir -p "$scratch" "$findings" "$(dirname "$log")"
    echo "fuzz: $target for ${seconds}s"
    if UBSAN_OPTIONS=print_stacktrace=1 "$build_dir/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$findings/" "$scratch" "$fuzz_dir/corpus/$target" >"$log" 2>&1; then
        result=ok
    else
        result="FAILED (see $log and $findings)"
        failed=1
        tail -n 40 "$log"
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    last=$(grep -E '^#[0-9]+' "$log" | tail -n 1 | grep -oE 'cov: [0-9]+ ft: [0-9]+ corp: [^ ]+' || true)
    summary+=("fuzz: $target runs=${runs:-?} ${last:-no coverage line} $result")
done
printf '%s\n' "${summary[@]}"
exit $failed
