#!/usr/bin/env bash
# Builds everything and runs every test headless; exits non-zero on a failure.
#   ./test.sh             with Qt 5, in build-qt5
#   ./test.sh --qt6       with Qt 6, in build-qt6
#   ./test.sh --sanitize  with Qt 5 under AddressSanitizer and
#                         UndefinedBehaviorSanitizer (gcc), in build-asan:
#                         any sanitizer report fails
#   ./test.sh --fuzz      builds the fuzz targets (clang, libFuzzer) in
#                         build-fuzz and fuzzes each for VOLMAR_FUZZ_SECONDS
#                         (default 20), two at a time: any crash fails
# With --build-only it only installs and builds; with --no-build it only runs
# the tests of what an earlier --build-only built.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh

qt=5
mode=plain
build_step=1
test_step=1
for arg in "$@"; do
    case "$arg" in
        --qt6) qt=6 ;;
        --sanitize) mode=sanitize ;;
        --fuzz) mode=fuzz ;;
        --build-only) test_step=0 ;;
        --no-build) build_step=0 ;;
        *) echo "Unknown option $arg" >&2; exit 2 ;;
    esac
done

# The tests mostly wait for timers and sensors (the whole Qt 5 suite takes
# some 15 CPU seconds over two minutes), so they run six at a time.
jobs=6
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$(mktemp -d)"
chmod 700 "$XDG_RUNTIME_DIR"
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT

case "$mode" in
plain)
    build="build-qt$qt"
    [ "$build_step" = 0 ] || volmar_setup "$qt" "$build"
    [ "$test_step" = 1 ] || exit 0
    cd "$build"
    ctest --output-on-failure -j "$jobs" --timeout 300
    ;;

sanitize)
    [ "$qt" = 5 ] || { echo "--sanitize builds with Qt 5" >&2; exit 2; }
    build="build-asan"
    # -O1 and line tables only: half the compile time of -O2 -g with the
    # sanitizers, and the reports still name file and line. Debug keeps the
    # assertions of Qt and the tool on.
    [ "$build_step" = 0 ] || volmar_setup 5 "$build" -DVOLMAR_SANITIZE=ON -DVOLMAR_BUILD_BENCH=OFF \
        -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1"
    [ "$test_step" = 1 ] || exit 0
    # AddressSanitizer and LeakSanitizer write their reports to files, so
    # that one in a child process (the emulator a test starts, whose output
    # the test may not show) fails the run even when its test passed. gcc's
    # UndefinedBehaviorSanitizer always writes to the program's error output:
    # the full test log is searched for its reports.
    reports="$PWD/$build/sanitizer-reports"
    rm -rf "$reports"
    mkdir -p "$reports"
    supp="$PWD/tests/sanitizers"
    export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:check_initialization_order=1:log_path=$reports/asan:log_exe_name=1"
    export LSAN_OPTIONS="suppressions=$supp/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    status=0
    (cd "$build" && ctest --output-on-failure -j "$jobs" --timeout 600) || status=$?
    if compgen -G "$reports/*" >/dev/null; then
        echo "Sanitizer reports:" >&2
        for report in "$reports"/*; do
            echo "=== $report" >&2
            cat "$report" >&2
        done
        status=1
    fi
    log="$build/Testing/Temporary/LastTest.log"
    if grep -q -E 'runtime error:|ERROR: (Address|Leak)Sanitizer' "$log"; then
        echo "Sanitizer reports in the test output ($log):" >&2
        grep -A 12 -E 'runtime error:|ERROR: (Address|Leak)Sanitizer' "$log" >&2
        status=1
    fi
    exit "$status"
    ;;

fuzz)
    build="build-fuzz"
    [ "$build_step" = 0 ] || volmar_setup_fuzz "$build"
    [ "$test_step" = 1 ] || exit 0
    export ASAN_SYMBOLIZER_PATH=/usr/bin/llvm-symbolizer-14
    cd "$build"
    ctest --output-on-failure -j 2 -L '^fuzz$'
    ;;
esac
