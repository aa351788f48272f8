#!/usr/bin/env bash
# Runs every fuzz target for a while, each on a scratch copy of its committed
# seed corpus (the committed files are never touched), and fails when any of
# them finds a crash, a leak, a timeout or runs out of memory.
#
#   tests/fuzz/run-fuzzers.sh BUILD_DIR [SECONDS] [TARGET...]
#
# BUILD_DIR was configured with -DQUORVANE_FUZZ=ON and built (ninja fuzzers).
# SECONDS per target, 60 by default. FUZZ_JOBS=N runs N targets at once
# (default 1). Crash reproducers and each run's log are kept in
# BUILD_DIR/fuzz-results/TARGET/.

set -u

if [[ $# -lt 1 ]]; then
    echo "usage: $0 BUILD_DIR [SECONDS] [TARGET...]" >&2
    exit 2
fi
build=$1
seconds=${2:-60}
shift $(( $# >= 2 ? 2 : 1 ))
if [[ $# -gt 0 ]]; then
    targets=("$@")
else
    targets=(fuzz_wine_blob fuzz_protected_file fuzz_base64 fuzz_pointer_and_catalogue fuzz_passports fuzz_windows_dpapi fuzz_pack_members fuzz_disk_image fuzz_swf_movie)
fi
jobs=${FUZZ_JOBS:-1}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
results=$(cd "$build" && pwd)/fuzz-results

scratch=$(mktemp -d "${TMPDIR:-/tmp}/quorvane-fuzz-run.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

run_one() {
    local target=$1
    local binary=$build/bin/$target
    local out=$results/$target
    rm -rf "$out"
    mkdir -p "$out/artifacts" "$scratch/$target"
    if [[ ! -x $binary ]]; then
        echo "$target: not built ($binary missing)" | tee "$out/summary"
        return 1
    fi
    if [[ -d $here/corpus/$target ]]; then
        cp -R "$here/corpus/$target/." "$scratch/$target/"
    fi
    local options=(-max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10
                   -print_final_stats=1 -artifact_prefix="$out/artifacts/")
    if [[ -f $here/dict/$target.dict ]]; then
        options+=(-dict="$here/dict/$target.dict")
    fi
    "$binary" "${options[@]}" "$scratch/$target" >"$out/log" 2>&1
    local status=$?

    local execs coverage
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$out/log" | tail -n 1)
    coverage=$(grep -E '^#[0-9]+.* cov: ' "$out/log" | tail -n 1 |
               sed -E 's/.*(cov: [0-9]+ ft: [0-9]+ corp: [^ ]+).*/\1/')
    if [[ $status -eq 0 ]]; then
        echo "$target: clean, ${execs:-?} runs, ${coverage:-no coverage line}" | tee "$out/summary"
        return 0
    fi
    echo "$target: FAILED (exit $status) after ${execs:-?} runs; log and reproducer in $out" |
        tee "$out/summary"
    grep -m 1 -E '^==[0-9]+==ERROR|^SUMMARY|deadly signal|ERROR: libFuzzer' "$out/log" >&2
    return 1
}

failed=0
running=0
for target in "${targets[@]}"; do
    run_one "$target" &
    running=$((running + 1))
    if [[ $running -ge $jobs ]]; then
        wait -n || failed=1
        running=$((running - 1))
    fi
done
while [[ $running -gt 0 ]]; do
    wait -n || failed=1
    running=$((running - 1))
done

exit $failed
