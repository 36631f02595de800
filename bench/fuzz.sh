#!/usr/bin/env bash
# Fuzzes every target of tests/fuzz to at least RUNS executions (default
# 1 000 000), two targets at a time, and prints per target the executions,
# the crashes and the time taken. A crash does not stop the target: its
# input is kept in build-fuzz/bench-fuzz/artifacts/<target>/ and the target
# goes on until it has run RUNS inputs (at most 5 crashes per target).
# Exits non-zero when any target crashed.
#   bench/fuzz.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

runs="${1:-1000000}"
build="build-fuzz"
volmar_setup_fuzz "$build" >/dev/null
export ASAN_SYMBOLIZER_PATH=/usr/bin/llvm-symbolizer-14

out="$build/bench-fuzz"
rm -rf "$out"
mkdir -p "$out"
max_crashes=5

# Runs one target; writes "name executions crashes seconds" to $out/<name>.result.
fuzz_one() {
    local bin="$1" name="${1##*/fuzz_}"
    local work="$out/work/$name" artifacts="$out/artifacts/$name"
    mkdir -p "$work" "$artifacts"
    local execs=0 crashes=0 round=0 start=$SECONDS
    while [ "$execs" -lt "$runs" ] && [ "$crashes" -lt "$max_crashes" ]; do
        round=$((round + 1))
        local log="$out/$name.$round.log" rc=0
        "$bin" -runs=$((runs - execs)) -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
            -artifact_prefix="$artifacts/" "$work" "tests/fuzz/corpus/$name" >"$log" 2>&1 || rc=$?
        local ran
        ran=$(awk '/^stat::number_of_executed_units:/ {print $2}' "$log" | tail -1)
        if [ -z "$ran" ]; then
            # No final statistics (killed hard): take the last progress line.
            ran=$(grep -o '^#[0-9]*' "$log" | tail -1 | tr -d '#')
        fi
        execs=$((execs + ${ran:-0}))
        if [ "$rc" -ne 0 ]; then
            crashes=$((crashes + 1))
            # Nothing ran before the crash: going on would only repeat it.
            [ "${ran:-0}" -gt 0 ] || break
        fi
    done
    echo "$name $execs $crashes $((SECONDS - start))" >"$out/$name.result"
}

targets=("$build"/tests/fuzz/fuzz_*)
for bin in "${targets[@]}"; do
    [ -f "$bin" ] && [ -x "$bin" ] || continue
    while [ "$(jobs -rp | wc -l)" -ge 2 ]; do wait -n || true; done
    fuzz_one "$bin" &
done
wait

printf '%-22s %12s %8s %8s %10s\n' target executions crashes seconds exec/s
status=0
for result in "$out"/*.result; do
    read -r name execs crashes seconds <"$result"
    rate=$((execs / (seconds > 0 ? seconds : 1)))
    printf '%-22s %12d %8d %8d %10d\n' "$name" "$execs" "$crashes" "$seconds" "$rate"
    if [ "$crashes" -gt 0 ]; then
        status=1
        for log in "$out/$name".*.log; do
            grep -m1 -E 'ERROR: |runtime error|property broken|deadly signal' "$log" \
                | sed "s|^|    $name: |" || true
        done
        echo "    inputs kept in $out/artifacts/$name/"
    fi
done
exit "$status"
