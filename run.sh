#!/usr/bin/env bash
# Installs what is missing, builds (Release) and starts Zettlora. Arguments pass through,
# e.g. ./run.sh Datei=Kunden Suche=Meier
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build-release}"
source "$ROOT/scripts/setup.sh"
install_missing
build Release
exec "$BUILD_DIR/app/zettlora" "$@"
