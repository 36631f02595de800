#!/usr/bin/env bash
# Builds everything and runs every test headless; exits non-zero on a failure.
#   ./test.sh          with Qt 5
#   ./test.sh --qt6    with Qt 6
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh

qt=5
for arg in "$@"; do
    case "$arg" in
        --qt6) qt=6 ;;
        *) echo "Unknown option $arg" >&2; exit 2 ;;
    esac
done

build="build-qt$qt"
volmar_setup "$qt" "$build"
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$(mktemp -d)"
chmod 700 "$XDG_RUNTIME_DIR"
cd "$build"
ctest --output-on-failure -j 2 --timeout 300
