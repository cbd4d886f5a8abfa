#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The two commands of the README, and the benchmark:
#   ./dev.sh run            install what is missing, build, start the program
#   ./dev.sh test [PRESET]  install what is missing, build, run every test (PRESET: dev, asan)
#   ./dev.sh test windows   the same for Windows: Qt for Windows built once from Debian's source,
#                           the program cross-built with MinGW-w64, its tests, the installer
#                           and the zip tried under Wine
#   ./dev.sh bench          start-up and memory against a minimal Qt program (release build)
# Packages come from Debian only and are installed only when missing, so a second run is quick.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"

build_packages=(cmake ninja-build g++ qt6-base-dev qt6-qpa-plugins qt6-translations-l10n
    fonts-liberation)
test_packages=(xvfb xauth xdotool xclip libx11-dev libxdamage-dev desktop-file-utils appstream
    dpkg-dev file dbus-daemon at-spi2-core python3-pyatspi qt6-gtk-platformtheme lintian reuse
    man-db)
windows_packages=(g++-mingw-w64-x86-64-posix wine64 nsis wixl msitools dpkg-dev)

. tools/install-missing.sh

build() {
    local preset=$1
    shift
    [ -f "build/$preset/CMakeCache.txt" ] || cmake --preset "$preset"
    cmake --build --preset "$preset" "$@"
}

command=${1:-}
case "$command" in
run)
    install_missing "${build_packages[@]}"
    build dev --target bodytype
    exec build/dev/app/bodytype
    ;;
test)
    preset=${2:-dev}
    install_missing "${build_packages[@]}" "${test_packages[@]}"
    if [ "$preset" = windows ]; then
        install_missing "${windows_packages[@]}"
        qt=$(tools/windows/build-qt.sh | tail -n 1)
        # The window closer for the end-to-end run is a Linux helper.
        build dev --target x11close
        [ -f build/windows/CMakeCache.txt ] || BODYTYPE_QT_WINDOWS=$qt cmake --preset windows
        cmake --build --preset windows
        # Wine's windows need an X server, as a Windows user's need a desktop.
        exec tests/inxvfb.sh ctest --preset windows
    fi
    build "$preset"
    ctest --preset "$preset"
    ;;
bench)
    install_missing "${build_packages[@]}" "${test_packages[@]}"
    build release
    bench/run.sh build/release "${2:-20}"
    ;;
*)
    echo "usage: $0 run | test [dev|asan|windows] | bench [RUNS]" >&2
    exit 2
    ;;
esac
