# Shared by run.sh, test.sh and bench/fuzz.sh: installs what is missing,
# configures, builds.
# Usage: source scripts/setup.sh
#        volmar_setup 5|6 BUILD_DIR [CMAKE_OPTION...]    configure and build all
#        volmar_install_missing PACKAGE...               apt-get what is missing
# VOLMAR_BUILD_TYPE (default RelWithDebInfo) is the CMake build type of
# volmar_setup; CI builds Release, which compiles a third faster, and sets
# VOLMAR_RELEASE_FLAGS to the Release compile flags it wants.

volmar_packages() {
    local common="cmake g++ ninja-build pkg-config"
    if [ "$1" = 6 ]; then
        echo "$common qt6-base-dev qt6-serialport-dev qt6-charts-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools libgl-dev"
    else
        echo "$common qtbase5-dev libqt5serialport5-dev libqt5charts5-dev qttools5-dev qttools5-dev-tools"
    fi
}

# clang with libFuzzer and its sanitizer runtimes, and the symbolizer that
# turns their stack traces into file and line.
volmar_fuzz_packages() {
    echo "clang-14 libclang-rt-14-dev llvm-14"
}

volmar_install_missing() {
    local missing=()
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

volmar_setup() {
    local qt="$1" dir="$2"
    shift 2
    volmar_install_missing $(volmar_packages "$qt")
    cmake -S . -B "$dir" -G Ninja -DVOLMAR_QT_MAJOR="$qt" \
        -DCMAKE_BUILD_TYPE="${VOLMAR_BUILD_TYPE:-RelWithDebInfo}" \
        ${VOLMAR_RELEASE_FLAGS:+"-DCMAKE_CXX_FLAGS_RELEASE=$VOLMAR_RELEASE_FLAGS"} "$@" >/dev/null
    cmake --build "$dir" -j "$(nproc)"
}

# The fuzz targets only (clang, libFuzzer, Qt 5 Core) in BUILD_DIR.
volmar_setup_fuzz() {
    local dir="$1"
    volmar_install_missing $(volmar_packages 5) $(volmar_fuzz_packages)
    cmake -S . -B "$dir" -G Ninja -DVOLMAR_QT_MAJOR=5 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER=clang++-14 -DVOLMAR_FUZZ=ON -DVOLMAR_BUILD_BENCH=OFF \
        ${VOLMAR_FUZZ_SECONDS:+"-DVOLMAR_FUZZ_SECONDS=$VOLMAR_FUZZ_SECONDS"} >/dev/null
    cmake --build "$dir" -j "$(nproc)" --target volmar_fuzzers
}
