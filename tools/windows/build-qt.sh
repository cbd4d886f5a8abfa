#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds Qt for 64-bit Windows from Debian's own qt6-base source, of exactly the version of the
# installed Linux Qt (which serves as the host Qt: moc, rcc and the rest run on Linux), with
# Debian's MinGW-w64. Only what the program and its tests need is built. The result is cached
# outside the checkout, keyed by the Qt version, the configure options and the toolchain file,
# so only the first run pays; a half-built Qt never lands in the cache.
#
# usage: build-qt.sh     prints the prefix of the Qt for Windows as its last line
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
toolchain=$here/mingw-w64.cmake

fail() {
    echo "build-qt: $*" >&2
    exit 1
}

for tool in x86_64-w64-mingw32-g++-posix:g++-mingw-w64-x86-64-posix \
    dpkg-source:dpkg-dev cmake:cmake ninja:ninja-build perl:perl; do
    command -v "${tool%%:*}" >/dev/null ||
        fail "${tool%%:*} is missing: apt-get install ${tool#*:}"
done
version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev 2>/dev/null) ||
    fail "the Linux Qt (the host Qt) is missing: apt-get install qt6-base-dev"
host_cmake=$(dirname "$(dpkg -L qt6-base-dev | grep -m1 '/cmake/Qt6/Qt6Config.cmake$')")
host_cmake=$(dirname "$host_cmake")

# Whatever changes the result changes the key.
qt_prefix=/opt/bodytype/qt-windows
options=(
    # Static, with the MinGW runtime too, so the program is one file that imports only
    # Windows' own DLLs; each function in its own section, so the linker drops what is unused.
    -release -static -static-runtime -gc-binaries -optimize-size -strip
    -opensource -confirm-license -nomake examples -nomake tests
    -xplatform win32-g++ -qt-host-path /usr
    # A prefix of its own that names no build folder, so every build of this Qt, on any machine,
    # bakes the same path into the program. Nothing is ever looked for there: a static Qt loads
    # no plugin from disk and the program carries Qt's translations.
    -prefix "$qt_prefix"
    # Debian's zlib for Windows, linked in statically (the toolchain file asks for libz.a).
    -system-zlib -qt-libpng -qt-libjpeg -qt-pcre -qt-harfbuzz -qt-doubleconversion
    -no-icu -no-opengl -no-dbus -no-zstd -no-feature-vulkan
    -no-feature-sql -no-feature-network -no-feature-printsupport -no-feature-concurrent
    -no-feature-xml -no-feature-gif -no-feature-ico
    # Windows draws text itself (DirectWrite, GDI); the MIME database and the Markdown and ODF
    # text formats serve nothing this program does, yet a text box's properties link them in.
    -no-freetype -no-feature-mimetype -no-feature-textmarkdownreader
    -no-feature-textmarkdownwriter -no-feature-textodfwriter
    # Debian's source lacks the third-party wintab.h that tablet input needs. (Direct2D stays:
    # without it Qt 6.4 leaves out the DirectWrite font database that its platform plugin links.)
    -no-feature-tabletevent
)
# The source is unpacked in a folder of a random name, which the compiler is told to call
# qtbase: Qt's own file names in its messages then name no folder of the machine it was built on.
source_name=qtbase
key=$(printf '%s\n' "$version" "${options[@]}" "sources as $source_name" | cat - "$toolchain" |
    sha256sum | cut -c1-12)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/bodytype
prefix=$cache/qt-windows-${version}-$key
if [ -f "$prefix/lib/cmake/Qt6/Qt6Config.cmake" ]; then
    echo "$prefix"
    exit 0
fi

mkdir -p "$cache"
work=$(mktemp -d "$cache/.build-XXXXXX")
failed=$cache/.failed-build
trap 'rm -rf "$work"' EXIT
log=$work/build.log
echo "build-qt: building Qt $version for Windows into $prefix (log: $log)" >&2

# The machines list binary packages only: a private apt configuration adds the matching source
# entries without touching the system's.
apt_dir=$work/apt
mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
for list in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$list" ] && sed -n 's/^deb \(.*\)/deb-src \1/p' "$list"
done >"$apt_dir/sources.list.d/src.list"
for sources in /etc/apt/sources.list.d/*.sources; do
    [ -f "$sources" ] && sed 's/^Types: .*/Types: deb-src/' "$sources" \
        >"$apt_dir/sources.list.d/$(basename "$sources")"
done
apt_options=(-o "Dir::Etc::SourceList=$apt_dir/sources.list.d/src.list"
    -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d" -o "Dir::State::Lists=$apt_dir/lists"
    -o "Dir::Cache=$apt_dir/cache" -o "APT::Sandbox::User=root")
# The log goes with the temporary folder, so a failure shows its end.
failed_with_log() {
    tail -n 20 "$log" >&2
    fail "$1"
}
apt-get "${apt_options[@]}" update -q >>"$log" 2>&1 ||
    failed_with_log "apt could not read the source package lists"
(cd "$work" && apt-get "${apt_options[@]}" source --download-only "qt6-base=$version") \
    >>"$log" 2>&1 ||
    failed_with_log "the source package qt6-base $version is not to be had from the configured archive"
dpkg-source -x "$work"/qt6-base_*.dsc "$work/qtbase" >>"$log" 2>&1 ||
    failed_with_log "the source package qt6-base $version does not unpack"

step() {
    local what=$1
    shift
    echo "build-qt: $what" >&2
    "$@" >>"$log" 2>&1 || {
        grep -E '(error|Error|FAILED)[: ]' "$log" | tail -n 40 >&2
        # Kept for a look, under a name that no later run trusts or reuses.
        rm -rf "$failed"
        mv "$work" "$failed"
        fail "$what failed; no Qt was cached (log and build folder: $failed)"
    }
}
mkdir "$work/build"
cd "$work/build"
# CMake adds CFLAGS and CXXFLAGS to the toolchain file's flags.
prefix_map="-ffile-prefix-map=$work/qtbase=$source_name -ffile-prefix-map=$work/build=build"
export CFLAGS="$prefix_map" CXXFLAGS="$prefix_map"
step configure "$work/qtbase/configure" "${options[@]}" -- \
    -G Ninja "-DCMAKE_TOOLCHAIN_FILE=$toolchain" "-DQT_HOST_PATH_CMAKE_DIR=$host_cmake"
# Going on past a failure, so that one run shows every error.
step build cmake --build . --parallel -- -k 0
step install env DESTDIR="$work/stage" cmake --install .
mv "$work/stage$qt_prefix" "$work/install"

# What anyone needs to rebuild this Qt and relink the program with it, shipped beside Qt's
# licence.
{
    echo "Qt in this program is Qt $version, linked statically. It was built from the Debian"
    echo "source package qt6-base $version (apt-get source qt6-base=$version) with Debian's"
    echo "MinGW-w64 ($(x86_64-w64-mingw32-g++-posix --version | head -n1)), configured with:"
    echo
    echo "  configure ${options[*]} -- -DCMAKE_TOOLCHAIN_FILE=mingw-w64.cmake"
    echo
    echo "where mingw-w64.cmake is:"
    echo
    sed 's/^/  /' "$toolchain"
    echo
    echo "To relink the program with this Qt or another (changed) one, on Debian, in the program's"
    echo "source (the same version as this program):"
    echo
    echo "  tools/windows/build-qt.sh     # builds the Qt above and prints its folder"
    echo "  BODYTYPE_QT_WINDOWS=<folder of your Qt> cmake --preset windows"
    echo "  cmake --build --preset windows --target bodytype"
    echo
    echo "gives build/windows/bodytype.exe."
} >"$work/install/BUILDINFO.txt"
cp "$work/qtbase/LICENSES/LGPL-3.0-only.txt" "$work/install/" 2>/dev/null ||
    cp "$work/qtbase/LICENSE.LGPL3" "$work/install/LGPL-3.0-only.txt"

rm -rf "$prefix"
mv "$work/install" "$prefix"
# One Qt for Windows at a time: a build made with other options is of no more use.
for other in "$cache"/qt-windows-*; do
    [ "$other" = "$prefix" ] || rm -rf "$other"
done
echo "build-qt: done" >&2
echo "$prefix"
