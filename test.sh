#!/usr/bin/env bash
# Installs what is missing, builds and runs every test with CTest.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"
source "$ROOT/scripts/setup.sh"
install_missing
build RelWithDebInfo
cd "$BUILD_DIR"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" "$@"
