#!/usr/bin/env bash
# Installs what is missing, builds and runs every test with CTest (the window
# tests that need a window manager a second time under Xvfb with openbox), then builds
# the fuzz targets (clang, sanitizers) in a build folder of their own and runs
# each for a short time over its seed corpus. Arguments go to the first CTest
# run. FUZZ_SEKUNDEN=<n> sets the time per fuzz target (0 skips fuzzing).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"
FUZZ_BUILD_DIR="${FUZZ_BUILD_DIR:-$BUILD_DIR-fuzz}"
FUZZ_SEKUNDEN="${FUZZ_SEKUNDEN:-10}"
source "$ROOT/scripts/setup.sh"
install_missing
build RelWithDebInfo

status=0
(cd "$BUILD_DIR" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$JOBS" -LE x11 "$@") || status=$?

# The window tests that need a window manager (names with "X11"), once more
# under Xvfb with openbox, one after the other.
echo "Fenstertests unter Xvfb mit openbox …"
trap fensterverwalter_beenden EXIT
if fensterverwalter_starten; then
    (cd "$BUILD_DIR" && ctest --output-on-failure -L x11) || status=$?
else
    status=1
fi
fensterverwalter_beenden

if [ "$FUZZ_SEKUNDEN" != 0 ]; then
    echo "Fuzz-Ziele: Übersetzen mit clang und Sanitizern, dann je ${FUZZ_SEKUNDEN} s …"
    CC=clang CXX=clang++ configure "$FUZZ_BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZETTLORA_FUZZ=ON \
        -DZETTLORA_FUZZ_SEKUNDEN="$FUZZ_SEKUNDEN"
    cmake --build "$FUZZ_BUILD_DIR" -j "$JOBS" >"$FUZZ_BUILD_DIR/build.log" 2>&1 ||
        { tail -n 60 "$FUZZ_BUILD_DIR/build.log" >&2; echo "Die Fuzz-Ziele ließen sich nicht übersetzen." >&2; exit 1; }
    (cd "$FUZZ_BUILD_DIR" && ctest --output-on-failure -j "$JOBS") || status=$?
fi
exit "$status"
