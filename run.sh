#!/usr/bin/env bash
# Builds the tool and starts it on its built-in virtual sensor line.
#   ./run.sh                  Russian interface
#   ./run.sh --lang eng       English (also: port, esp)
#   ./run.sh --qt6            build with Qt 6
# Other arguments go to volmar-configurator.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh

qt=5
lang=""
args=()
while [ $# -gt 0 ]; do
    case "$1" in
        --qt6) qt=6 ;;
        --lang) lang="${2:-}"; shift ;;
        --lang=*) lang="${1#--lang=}" ;;
        *) args+=("$1") ;;
    esac
    shift
done

build="build-qt$qt"
volmar_setup "$qt" "$build"

# The tool takes the first file of "translations" beside the executable.
rm -rf "$build/translations"
case "$lang" in
    "") ;;
    eng|port|esp)
        mkdir -p "$build/translations"
        file="Language_${lang^}.qm"
        cp "$build/languages/$file" "$build/translations/$file" ;;
    *) echo "Unknown language '$lang' (use eng, port or esp)" >&2; exit 2 ;;
esac

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display found; set DISPLAY, or QT_QPA_PLATFORM=offscreen to run headless." >&2
fi
exec "$build/volmar-configurator" --demo --connect fls "${args[@]}"
