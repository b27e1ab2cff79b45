#!/usr/bin/env bash
# Installs what is missing, builds the program (Release) and starts Zettlora.
# Arguments pass through, e.g. ./run.sh Datei=Kunden Suche=Meier
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build-release}"

# Qt cannot open a window without a display and would only abort.
if [ -z "${QT_QPA_PLATFORM:-}" ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Zettlora braucht eine grafische Desktop-Sitzung (X11 oder Wayland), hier ist aber keine Anzeige" >&2
    echo "vorhanden (weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt). Bitte ./run.sh in einem Terminal" >&2
    echo "der Desktop-Sitzung starten." >&2
    exit 1
fi

source "$ROOT/scripts/setup.sh"
install_missing

# Only the program, quietly: the build log is shown only when it fails.
if [ ! -x "$BUILD_DIR/app/zettlora" ]; then
    echo "Zettlora wird zum ersten Mal übersetzt, das dauert einige Minuten …"
fi
mkdir -p "$BUILD_DIR"
protokoll="$BUILD_DIR/run-build.log"
if ! build Release --target zettlora >"$protokoll" 2>&1; then
    tail -n 40 "$protokoll" >&2
    echo "Das Übersetzen ist fehlgeschlagen; das ganze Protokoll steht in $protokoll." >&2
    exit 1
fi
exec "$BUILD_DIR/app/zettlora" "$@"
