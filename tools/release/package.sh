#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks what the program installs and ships.
#   package.sh SOURCE-DIR BUILD-DIR VERSION
#                                     the desktop entry and metadata validate, an install into a
#                                     scratch prefix lays out exactly the expected files, the
#                                     manual pages show, and the licence data is whole and is
#                                     what debian/copyright says
#   package.sh deb CHANGES-FILE       the Debian package made from debian/ holds the same files
#                                     with the right dependencies and passes lintian
set -euo pipefail
id=org.example.BodyType
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$(dirname "${BASH_SOURCE[0]}")/../../tests/lib/checks.sh"

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

no_run_path() {
    if readelf -d "$1" | grep -qE 'RPATH|RUNPATH'; then
        fail "$1 carries a run path"
    fi
}

if [ "$1" = deb ]; then
    changes=$2
    deb=$(dirname "$changes")/$(sed -n 's/^ [0-9a-f]\{64\} [0-9]* \(bodytype_[^ ]*\.deb\)$/\1/p' "$changes")
    [ -f "$deb" ] || fail "no bodytype package among the files of $changes"
    # Debian's build adds its own changelog beside the program's release notes, and what
    # lintian is told of the package.
    contents=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $NF}' | sed 's|^\./usr/||' | LC_ALL=C sort)
    wanted=$(printf '%s\nshare/doc/bodytype/changelog.Debian.gz\nshare/lintian/overrides/bodytype\n' \
        "$expected" | LC_ALL=C sort)
    [ "$contents" = "$wanted" ] || fail "package contents:
$contents"
    dpkg-deb -x "$deb" "$work/root"
    no_run_path "$work/root/usr/bin/bodytype"
    depends=$(dpkg-deb -f "$deb" Depends)
    # The packages that hold the Qt libraries the program links, whatever this release names
    # them (Debian 13 added "t64" to them).
    qt_packages=()
    for lib in $(readelf -d "$work/root/usr/bin/bodytype" |
        sed -n 's/.*Shared library: \[\(libQt6[^]]*\)\]/\1/p'); do
        qt_packages+=("$(dpkg-query -S "*/$lib" | sed -n '1s/[:,].*//p')")
    done
    [ ${#qt_packages[@]} -ge 3 ] || fail "the program links Qt's Core, Gui and Widgets: ${qt_packages[*]}"
    for needed in "${qt_packages[@]}" qt6-qpa-plugins fonts-liberation; do
        grep -qw -- "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
    done
    pass "$(basename "$deb") holds the program's files, with no run path; Depends: $depends"
    # Every tag is shown, the informational and pedantic ones too; only errors and warnings fail.
    status=0
    lintian --pedantic --display-info --fail-on error,warning "$changes" >"$work/lintian.txt" 2>&1 ||
        status=$?
    grep -v 'running with root privileges' "$work/lintian.txt" || true
    [ "$status" = 0 ] || fail "lintian"
    pass "lintian on $(basename "$changes"): no error and no warning"
    finish
fi

source=$1
build=$2
version=$3
desktop-file-validate "$source/packaging/$id.desktop" || fail "desktop entry"
pass "desktop entry validates"
appstreamcli validate --no-net "$source/packaging/$id.metainfo.xml" || fail "metainfo"
pass "metainfo validates"

cmake --install "$build" --prefix "$work/prefix" >/dev/null
installed=$(cd "$work/prefix" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
[ "$installed" = "$expected" ] || fail "installed files:
$installed"
for size in 32 64 128 256; do
    file "$work/prefix/share/icons/hicolor/${size}x$size/apps/$id.png" |
        grep -q "$size x $size" || fail "icon $size is not ${size}x$size"
done
no_run_path "$work/prefix/bin/bodytype"
pass "install lays out the program, desktop entry, metadata, icons, manual pages and licence"
for lang in en bg; do
    MANPATH="$work/prefix/share/man" MANWIDTH=80 man -L "$lang" --warnings -E UTF-8 bodytype \
        2>"$work/man.err" >"$work/man.txt" || fail "man -L $lang bodytype"
    [ ! -s "$work/man.err" ] || fail "manual page ($lang): $(cat "$work/man.err")"
done
grep -q 'КОД НА ЗАВЪРШВАНЕ' "$work/man.txt" || fail "man -L bg does not show the Bulgarian page"
pass "man bodytype and man -L bg bodytype show their pages without warnings"

# One truth for the licences: Debian's copyright file is the one made from the licence data.
cmp -s "$build/packaging/copyright" "$source/debian/copyright" || fail "debian/copyright is not \
what the licence data gives: cp $build/packaging/copyright $source/debian/copyright
$(diff "$build/packaging/copyright" "$source/debian/copyright" | head -n 20)"
pass "debian/copyright is what the licence data gives"
debian_version=$(sed -n '1s/^bodytype (\([^)-]*\)-[^)]*).*/\1/p' "$source/debian/changelog")
[ "$version" = "$debian_version" ] || fail "debian/changelog is for $debian_version, the program is $version"
pass "debian/changelog is for version $version"

finish
