#!/usr/bin/env bash
# Start-up of the tool to its main window shown, beside the floor (an empty
# 800 x 600 Qt Widgets window), offscreen, as the mean of N process runs.
#   bench/startup.sh [BUILD_DIR] [N]
set -euo pipefail
build="${1:-build-qt5}"
runs="${2:-20}"
bin="$build/bench/bench_startup"
export QT_QPA_PLATFORM=offscreen VOLMAR_SCREEN_HEIGHT=1080 VOLMAR_EXTRA_PORTS=
export XDG_RUNTIME_DIR="$(mktemp -d)"
work="$(mktemp -d)"
cd "$work"
mean_ms() {
    local total=0
    for _ in $(seq "$runs"); do
        local start end
        start=$(date +%s%N)
        "$OLDPWD/$bin" "$1" >/dev/null 2>&1
        end=$(date +%s%N)
        total=$((total + (end - start) / 1000))
    done
    echo $((total / runs / 1000))
}
"$OLDPWD/$bin" floor >/dev/null 2>&1 # warm the file cache
floor=$(mean_ms floor)
tool=$(mean_ms tool)
echo "floor (empty window): ${floor} ms"
echo "volmar-configurator:  ${tool} ms"
awk -v t="$tool" -v f="$floor" 'BEGIN { printf "ratio: %.2f\n", t / f }'
