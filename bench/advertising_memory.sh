#!/usr/bin/env bash
# Memory of the tool on the advertising page over SECONDS (default 600),
# offscreen: an emulated advertising base hearing four connected sensors
# answers one record per poll, about two a second, and the page must not
# grow with them. Every minute, and at the end, prints the tool's peak
# (VmHWM) and current (VmRSS) resident memory and the records the base has
# sent; fails when the tool does not reach advertising mode, exits early or
# the records stop coming.
#   bench/advertising_memory.sh [BUILD_DIR] [SECONDS]
set -euo pipefail
build="$(cd "${1:-build-qt5}" && pwd)"
seconds="${2:-600}"
interval=60       # s between two samples
min_rate=1        # records a second below which the poll is taken as stalled
reach_timeout=15  # s the tool has to switch the page to advertising mode
base='ble@1:fw=230,adv=KV_100001/5*;KV_100002/6*;KV_100003/7*;KV_100004/8*,advflags=0x07'

export QT_QPA_PLATFORM=offscreen VOLMAR_SCREEN_HEIGHT=1080 VOLMAR_EXTRA_PORTS=
export XDG_RUNTIME_DIR="$(mktemp -d)"
work="$(mktemp -d)"
cd "$work" # the tool writes its log.txt here

tool_pid=""
cleanup() {
    [ -z "$tool_pid" ] || kill "$tool_pid" 2>/dev/null || true
    [ -z "${EMU_PID:-}" ] || { echo quit >&"${EMU[1]}"; wait "$EMU_PID"; } 2>/dev/null || true
    rm -rf "$XDG_RUNTIME_DIR"
}
trap cleanup EXIT

coproc EMU { exec "$build/emulator/volmar-emulator" --seed 1 --device "$base"; }
read -r port <&"${EMU[0]}"
"$build/volmar-configurator" --connect ble --port "$port" >"$work/tool.out" 2>&1 &
tool_pid=$!
start=$SECONDS

# The 0xF0 records sent so far: the emulator's count of readings replies.
records_sent() {
    echo state >&"${EMU[1]}"
    local line
    read -r line <&"${EMU[0]}"
    sed -n 's/.*"readingsRepliesSent":\([0-9]*\).*/\1/p' <<<"$line"
}

memory_kib() { # VmHWM|VmRSS
    awk -v key="$1:" '$1 == key { print $2 }' "/proc/$tool_pid/status"
}

until grep -q 'Connect adwertizing device' log.txt 2>/dev/null; do
    if [ $((SECONDS - start)) -ge "$reach_timeout" ] || ! kill -0 "$tool_pid" 2>/dev/null; then
        echo "the tool did not reach advertising mode within $reach_timeout s" >&2
        cat log.txt >&2 2>/dev/null || true
        tail -n 20 "$work/tool.out" >&2
        exit 1
    fi
    sleep 0.5
done
echo "advertising mode after $((SECONDS - start)) s: $(grep -m1 'Connect adwertizing' log.txt | tr -d '\r')"

printf '%8s %12s %12s %9s %10s\n' seconds 'VmHWM KiB' 'VmRSS KiB' records records/s
last_time=$SECONDS
last_records=$(records_sent)
status=0
elapsed=0
while [ "$elapsed" -lt "$seconds" ]; do
    step=$((seconds - elapsed < interval ? seconds - elapsed : interval))
    sleep $((start + elapsed + step - SECONDS > 0 ? start + elapsed + step - SECONDS : 0))
    elapsed=$((elapsed + step))
    if ! kill -0 "$tool_pid" 2>/dev/null; then
        echo "the tool exited after $((SECONDS - start)) s" >&2
        exit 1
    fi
    hwm=$(memory_kib VmHWM)
    rss=$(memory_kib VmRSS)
    records=$(records_sent)
    now=$SECONDS
    rate=$(awk -v n=$((records - last_records)) -v t=$((now - last_time)) \
        'BEGIN { printf "%.2f", (t > 0 ? n / t : 0) }')
    awk -v e="$elapsed" -v h="$hwm" -v r="$rss" -v n="$records" -v q="$rate" \
        'BEGIN { printf "%8d %12d %12d %9d %10s\n", e, h, r, n, q }'
    if awk -v q="$rate" -v m="$min_rate" 'BEGIN { exit !(q < m) }'; then
        echo "records stalled: $rate a second" >&2
        status=1
    fi
    [ "$elapsed" -ne "$step" ] || { first_hwm=$hwm; first_rss=$rss; first_time=$elapsed; }
    last_time=$now
    last_records=$records
done
awk -v h0="$first_hwm" -v r0="$first_rss" -v t0="$first_time" -v h="$hwm" -v r="$rss" \
    -v t="$elapsed" 'BEGIN { printf "from %d s to %d s: VmHWM %+d KiB, VmRSS %+d KiB\n", t0, t, h - h0, r - r0 }'
exit "$status"
