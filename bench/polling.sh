#!/usr/bin/env bash
# The tool polling one emulated sensor for SECONDS (default 60), offscreen,
# beside the floor: a minimal Qt program with the same three timers on the
# same kind of pseudo-terminal. Reports CPU seconds and peak memory.
#   bench/polling.sh [BUILD_DIR] [SECONDS]
set -euo pipefail
build="$(cd "${1:-build-qt5}" && pwd)"
seconds="${2:-60}"
export QT_QPA_PLATFORM=offscreen VOLMAR_SCREEN_HEIGHT=1080 VOLMAR_EXTRA_PORTS=
export XDG_RUNTIME_DIR="$(mktemp -d)"
work="$(mktemp -d)"
cd "$work"

measure() { # label, command...
    local label="$1"; shift
    coproc EMU { exec "$build/emulator/volmar-emulator" --device kv510@1 --seed 1; }
    local port
    read -r port <&"${EMU[0]}"
    /usr/bin/time -f "%U %S %M" -o "$work/$label.time" \
        timeout -s TERM "$seconds" "$@" "$port" >/dev/null 2>&1 || true
    echo quit >&"${EMU[1]}"
    wait "$EMU_PID" 2>/dev/null || true
    read -r user sys rss < <(tail -n 1 "$work/$label.time")
    awk -v l="$label" -v u="$user" -v s="$sys" -v m="$rss" \
        'BEGIN { printf "%-22s CPU %6.2f s  peak RSS %7.1f MiB\n", l, u + s, m / 1024 }'
    echo "$user $sys $rss" > "$work/$label.result"
}

measure floor "$build/bench/bench_pollfloor"
measure volmar-configurator "$build/volmar-configurator" --connect fls --port
read -r fu fs fm < "$work/floor.result"
read -r tu ts tm < "$work/volmar-configurator.result"
awk -v a="$tu" -v b="$ts" -v c="$fu" -v d="$fs" -v m="$tm" -v n="$fm" \
    -v t="$seconds" 'BEGIN { printf "CPU ratio %.2f, memory ratio %.2f (over %s s)\n", (a + b) / (c + d), m / n, t }'
