#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks what the program installs and ships: the desktop entry and metadata validate, an
# install into a scratch prefix lays out exactly the expected files, and the Debian package
# holds them with the right dependencies and passes Debian's own checks. With "reproduce", two
# builds in different folders at different times must give the same package, byte for byte.
# usage: package.sh SOURCE-DIR BUILD-DIR [reproduce]
set -euo pipefail
source=$1
build=$2
reproduce=${3:-}
id=org.example.BodyType
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$(dirname "${BASH_SOURCE[0]}")/checks.sh"

desktop-file-validate "$source/packaging/$id.desktop" || fail "desktop entry"
pass "desktop entry validates"
appstreamcli validate --no-net "$source/packaging/$id.metainfo.xml" || fail "metainfo"
pass "metainfo validates"

expected="bin/bodytype
share/applications/$id.desktop
share/doc/bodytype/changelog.gz
share/doc/bodytype/copyright
share/icons/hicolor/128x128/apps/$id.png
share/icons/hicolor/256x256/apps/$id.png
share/icons/hicolor/32x32/apps/$id.png
share/icons/hicolor/64x64/apps/$id.png
share/man/bg/man1/bodytype.1.gz
share/man/man1/bodytype.1.gz
share/metainfo/$id.metainfo.xml"

cmake --install "$build" --prefix "$work/prefix" >/dev/null
installed=$(cd "$work/prefix" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
[ "$installed" = "$expected" ] || fail "installed files:
$installed"
for size in 32 64 128 256; do
    file "$work/prefix/share/icons/hicolor/${size}x$size/apps/$id.png" |
        grep -q "$size x $size" || fail "icon $size is not ${size}x$size"
done
if readelf -d "$work/prefix/bin/bodytype" | grep -qE 'RPATH|RUNPATH'; then
    fail "the installed program carries a run path"
fi
pass "install lays out the program, desktop entry, metadata, icons, manual pages and licence"
for lang in en bg; do
    MANPATH="$work/prefix/share/man" MANWIDTH=80 man -L "$lang" --warnings -E UTF-8 bodytype \
        2>"$work/man.err" >"$work/man.txt" || fail "man -L $lang bodytype"
    [ ! -s "$work/man.err" ] || fail "manual page ($lang): $(cat "$work/man.err")"
done
grep -q 'КОД НА ЗАВЪРШВАНЕ' "$work/man.txt" || fail "man -L bg does not show the Bulgarian page"
pass "man bodytype and man -L bg bodytype show their pages without warnings"

# The licence data: every file has its copyright and licence.
if git -C "$source" rev-parse --git-dir >/dev/null 2>&1; then
    (cd "$source" && reuse lint >"$work/reuse.txt" 2>&1) || { cat "$work/reuse.txt"; fail "reuse lint"; }
    pass "reuse lint: $(grep -o 'compliant with version [0-9.]*' "$work/reuse.txt")"
fi

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" >/dev/null) ||
    fail "cpack"
deb=$(ls "$work"/deb/*.deb)
contents=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $NF}' | sed 's|^\./usr/||' | LC_ALL=C sort)
[ "$contents" = "$expected" ] || fail "package contents:
$contents"
depends=$(dpkg-deb -f "$deb" Depends)
# The packages that hold the Qt libraries the program links, whatever this release names them
# (Debian 13 added "t64" to them).
qt_packages=()
for lib in $(readelf -d "$work/prefix/bin/bodytype" | sed -n 's/.*Shared library: \[\(libQt6[^]]*\)\]/\1/p'); do
    qt_packages+=("$(dpkg-query -S "*/$lib" | sed -n '1s/[:,].*//p')")
done
[ ${#qt_packages[@]} -ge 3 ] || fail "the program links Qt's Core, Gui and Widgets: ${qt_packages[*]}"
for needed in "${qt_packages[@]}" qt6-qpa-plugins fonts-liberation; do
    grep -qw -- "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
pass "$(basename "$deb") holds them; Depends: $depends"
# Informational tags are shown, not failed on.
status=0
lintian --fail-on error,warning -I "$deb" >"$work/lintian.txt" 2>&1 || status=$?
grep -v 'running with root privileges' "$work/lintian.txt" || true
[ "$status" = 0 ] || fail "lintian"
pass "lintian: no error and no warning"

# Two builds of what is checked out here, in folders of different names, their files written at
# different times as two checkouts would be, packed with the time of the last commit. The build
# itself is not told that time: it must not depend on when it ran.
if [ "$reproduce" = reproduce ]; then
    epoch=$(git -C "$source" log -1 --format=%ct 2>/dev/null || date +%s)
    for tree in first/bodytype second/another-bodytype; do
        mkdir -p "$work/$tree"
        (cd "$source" && git ls-files -z --cached --others --exclude-standard | xargs -0 tar -cf -) |
            tar -C "$work/$tree" -xmf -
        cmake -S "$work/$tree" -B "$work/$tree-build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
            -DBODYTYPE_BUILD_TESTS=OFF >/dev/null || fail "configure $tree"
        cmake --build "$work/$tree-build" --target bodytype compressed_docs >/dev/null ||
            fail "build $tree"
        (cd "$work/$tree-build" && SOURCE_DATE_EPOCH=$epoch cpack -G DEB >/dev/null) ||
            fail "cpack $tree"
        sleep 1
    done
    sums=$(cd "$work" && sha256sum first/*-build/*.deb second/*-build/*.deb)
    echo "$sums"
    if [ "$(awk '{print $1}' <<<"$sums" | uniq | wc -l)" != 1 ]; then
        command -v diffoscope >/dev/null && diffoscope "$work"/first/*-build/*.deb \
            "$work"/second/*-build/*.deb | head -n 60
        fail "two builds of one commit gave different packages"
    fi
    pass "two builds in different folders give the same package"
fi

echo "$passed passed, 0 failed"
