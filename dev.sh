#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The two commands of the README, and the benchmark:
#   ./dev.sh run            install what is missing, build, start the program
#   ./dev.sh test [PRESET]  install what is missing, check the style (tools/lint.sh), build, run
#                           every test (PRESET: dev, asan; the style is checked for dev)
#   ./dev.sh test windows   the same for Windows: Qt for Windows built once from Debian's source,
#                           the program cross-built with MinGW-w64, its tests, the installer
#                           and the zip tried under Wine
#   ./dev.sh run web        build the web page and open it in the desktop's browser
#   ./dev.sh test web       the same for the web page: the sheet compiled to WebAssembly, the
#                           page tested in Chromium, Firefox and WebKit
#   ./dev.sh package        the Debian source package and the binary package built from it,
#                           with its tests, then checked with lintian
#   ./dev.sh release        every artefact of a release in build/dist, with SHA256SUMS
#   ./dev.sh bench          start-up and memory against a minimal Qt program (release build)
#   ./dev.sh bench web      the web page's size and its time to paint and to be ready
# Packages come from Debian only and are installed only when missing, so a second run is quick.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"

build_packages=(cmake ninja-build g++ qt6-base-dev qt6-svg-dev qt6-qpa-plugins qt6-translations-l10n
    fonts-liberation)
test_packages=(xvfb xauth xdotool xclip libx11-dev libxdamage-dev desktop-file-utils appstream
    dpkg-dev file dbus-daemon at-spi2-core python3-pyatspi qt6-gtk-platformtheme reuse man-db)
lint_packages=(git clang-format shellcheck pyflakes3 reuse)
windows_packages=(g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine64 nsis wixl msitools faketime dpkg-dev
    python3-pefile)
web_packages=(cmake ninja-build emscripten fonts-liberation2 fonttools python3)
web_test_packages=(chromium chromium-driver firefox-esr webkit2gtk-driver xvfb xauth python3-selenium
    python3-pil)

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
    if [ "${2:-}" = web ]; then
        install_missing "${web_packages[@]}"
        build web
        page=$PWD/build/web/bodytype.html
        echo "The page: $page (build/web/site/ is the folder for a web server)"
        if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
            for opener in xdg-open x-www-browser sensible-browser; do
                command -v "$opener" >/dev/null && exec "$opener" "$page"
            done
        fi
        echo "No desktop to open it in: open that file in any browser."
        exit 0
    fi
    install_missing "${build_packages[@]}"
    build dev --target bodytype
    exec build/dev/app/bodytype
    ;;
test)
    preset=${2:-dev}
    if [ "$preset" = web ]; then
        install_missing "${web_packages[@]}" "${web_test_packages[@]}"
        # axe-core comes with npm from the npm registry; a Node.js from elsewhere brings its own.
        command -v npm >/dev/null || install_missing npm
        build web
        exec ctest --preset web
    fi
    install_missing "${build_packages[@]}" "${test_packages[@]}"
    if [ "$preset" = dev ]; then
        install_missing "${lint_packages[@]}"
        tools/lint.sh
    fi
    if [ "$preset" = windows ]; then
        install_missing "${windows_packages[@]}"
        qt=$(tools/windows/build-qt.sh | tail -n 1)
        # The window closer for the end-to-end run is a Linux helper; the places it clicks come
        # from the form's description, which the Linux build writes.
        build dev --target x11close form_json
        [ -f build/windows/CMakeCache.txt ] || BODYTYPE_QT_WINDOWS=$qt cmake --preset windows
        cmake --build --preset windows
        # Wine's windows need an X server, as a Windows user's need a desktop.
        exec tests/lib/inxvfb.sh ctest --preset windows
    fi
    build "$preset"
    ctest --preset "$preset"
    ;;
release)
    install_missing "${build_packages[@]}" "${windows_packages[@]}" "${web_packages[@]}" \
        build-essential dpkg-dev git lintian
    exec tools/release/release.sh
    ;;
package)
    install_missing build-essential dpkg-dev git lintian
    dsc=$(tools/release/debian-source.sh build/debian-package | tail -n 1)
    version=$(dpkg-parsechangelog -S Version)
    out=$(dirname "$dsc")
    tree=$out/bodytype-${version%-*}
    if ! (cd "$tree" && dpkg-checkbuilddeps 2>/dev/null); then
        as_root apt-get update -q
        as_root apt-get build-dep -y -q "$dsc"
    fi
    (cd "$tree" && dpkg-buildpackage -us -uc)
    built=$out/bodytype_${version}_$(dpkg --print-architecture)
    tools/release/package.sh deb "$built.changes"
    echo "The source package: $dsc"
    echo "The binary package: $built.deb"
    ;;
bench)
    if [ "${2:-}" = web ]; then
        install_missing "${web_packages[@]}" "${web_test_packages[@]}"
        build web
        # WebKit's browser needs an X server.
        xvfb_screen=1600x1200x24 exec tests/lib/inxvfb.sh /usr/bin/python3 bench/webbench.py build/web \
            "${3:-20}"
    fi
    install_missing "${build_packages[@]}" "${test_packages[@]}"
    build release
    bench/run.sh build/release "${2:-20}"
    ;;
*)
    echo "usage: $0 run [web] | test [dev|asan|windows|web] | package | release | bench [RUNS] | bench web [RUNS]" >&2
    exit 2
    ;;
esac
