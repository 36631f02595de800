#!/usr/bin/env bash
# Readings that survive a real USB converter. The tool polls emulated sensors
# for SECONDS (default 60), offscreen, first behind a converter that hands the
# bytes over every 16 ms (an FTDI chip's latency timer), then on a line that
# delivers each reply whole, as the reference. For each it reports the
# readings replies the sensors sent, those the tool decoded, and the share.
#   bench/converter.sh [BUILD_DIR] [SECONDS] [SETUP ...]
# Setups (default all three):
#   one    a KV510 that answers 10 ms after the request
#   slow   the same KV510 answering after 30 ms
#   three  a KV510, a KV210 and a KV610 on one line
set -euo pipefail
build="$(cd "${1:-build-qt5}" && pwd)"
seconds="${2:-60}"
shift $(($# < 2 ? $# : 2))
setups=("$@")
[ ${#setups[@]} -gt 0 ] || setups=(one slow three)
export QT_QPA_PLATFORM=offscreen VOLMAR_SCREEN_HEIGHT=1080 VOLMAR_EXTRA_PORTS=
export XDG_RUNTIME_DIR="$(mktemp -d)"
work="$(mktemp -d)"
cd "$work"

run() { # label, chunk period in ms, emulator arguments...
    local label="$1" chunk="$2" port state decoded sent
    shift 2
    coproc EMU { exec "$build/emulator/volmar-emulator" --seed 1 --chunk "$chunk" "$@"; }
    read -r port <&"${EMU[0]}"
    decoded=$("$build/bench/bench_converter" "$port" "$seconds" 2>/dev/null | sed -n 's/^decoded //p')
    echo state >&"${EMU[1]}"
    read -r state <&"${EMU[0]}"
    echo quit >&"${EMU[1]}"
    wait "$EMU_PID" 2>/dev/null || true
    sent=$(grep -o '"readingsRepliesSent":[0-9]*' <<<"$state" | cut -d: -f2)
    awk -v l="$label" -v s="${sent:-0}" -v d="${decoded:-0}" -v t="$seconds" 'BEGIN {
        p = s > 0 ? 100 * d / s : 0
        printf "%-32s readings replies sent %5d, decoded %5d (%5.1f %%) over %s s\n", l, s, d, p, t }'
}

for setup in "${setups[@]}"; do
    case "$setup" in
    one) devices=(--device kv510@1) ;;
    slow) devices=(--device kv510@1 --reply-delay 30) ;;
    three) devices=(--device kv510@1 --device kv210@2 --device kv610@3) ;;
    *) echo "unknown setup '$setup' (one, slow, three)" >&2; exit 2 ;;
    esac
    run "$setup, converter 16 ms:" 16 "${devices[@]}"
    run "$setup, no converter:" 0 "${devices[@]}"
done
