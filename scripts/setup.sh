#!/usr/bin/env bash
# Shared by run.sh and test.sh: install the Debian packages the build needs
# (only those that are missing), then configure and build into $BUILD_DIR.
set -euo pipefail

# Parallel build and test jobs (JOBS=<n> to share the machine).
JOBS="${JOBS:-$(nproc)}"

# clang and libclang-rt-14-dev (its libFuzzer runtime) build the fuzz targets of test.sh;
# Xvfb, openbox, xdotool and x11-utils (xprop) run the window tests under an X
# server with a window manager.
# x11-xkb-utils: setxkbmap, for the window test that types on a German keyboard (Caps Lock with ß).
PACKAGES=(cmake ninja-build g++ make qt6-base-dev qt6-translations-l10n libgl-dev fonts-liberation2
          poppler-utils libgtest-dev libbenchmark-dev libqt6svg6 cups-daemon cups-client locales clang libclang-rt-14-dev
          xvfb openbox xdotool x11-utils x11-xkb-utils)

install_missing() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
    done
    # The German locale too (the tests check that number reading ignores it).
    local locale_fehlt=0
    locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8' || locale_fehlt=1
    if [ ${#missing[@]} -eq 0 ] && [ "$locale_fehlt" -eq 0 ]; then
        return 0
    fi
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null 2>&1; then
            echo "Zum Installieren werden Administratorrechte gebraucht: bitte als root starten oder sudo einrichten." >&2
            return 1
        fi
        sudo=(sudo)
    fi
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installiere fehlende Pakete: ${missing[*]}"
        # Passed on the command line: sudo does not hand the caller's environment on.
        "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
        "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
    fi
    if [ "$locale_fehlt" -eq 1 ]; then
        echo "Erzeuge das Gebietsschema de_DE.UTF-8"
        "${sudo[@]}" sed -i 's/^# *\(de_DE\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
        grep -qx 'de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
        "${sudo[@]}" locale-gen
    fi
}

# configure <dir> <cmake arguments...>: a build folder made with Ninja. A folder
# an earlier version configured with another generator is configured anew.
configure() {
    local dir="$1"
    shift
    if [ -f "$dir/CMakeCache.txt" ] && ! grep -q '^CMAKE_GENERATOR:INTERNAL=Ninja$' "$dir/CMakeCache.txt"; then
        rm -rf "$dir/CMakeCache.txt" "$dir/CMakeFiles"
    fi
    cmake -S "$ROOT" -B "$dir" -G Ninja "$@" >/dev/null
}

# build <type> [cmake --build arguments, e.g. --target zettlora]
build() {
    local type="$1"
    shift
    configure "$BUILD_DIR" -DCMAKE_BUILD_TYPE="$type"
    cmake --build "$BUILD_DIR" -j "$JOBS" "$@"
}

# A virtual X server with the openbox window manager for the window tests:
# sets DISPLAY to a free display number and returns once the window manager
# has taken the screen. Both end with the calling shell (fensterverwalter_beenden).
XVFB_PID=""
OPENBOX_PID=""
fensterverwalter_starten() {
    local nummer=90
    while [ -e "/tmp/.X${nummer}-lock" ] || [ -e "/tmp/.X11-unix/X${nummer}" ]; do
        nummer=$((nummer + 1))
    done
    Xvfb ":$nummer" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$nummer"
    local i
    for i in $(seq 100); do
        xprop -root >/dev/null 2>&1 && break
        sleep 0.1
    done
    openbox >/dev/null 2>&1 &
    OPENBOX_PID=$!
    for i in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        sleep 0.1
    done
    echo "Der Fensterverwalter openbox ließ sich unter Xvfb nicht starten." >&2
    return 1
}

fensterverwalter_beenden() {
    [ -n "$OPENBOX_PID" ] && kill "$OPENBOX_PID" 2>/dev/null || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    OPENBOX_PID=""
    XVFB_PID=""
}
