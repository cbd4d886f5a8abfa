#!/usr/bin/env bash
# Checks what the program installs and ships: the desktop entry and metadata validate, an
# install into a scratch prefix lays out exactly the expected files, and the Debian package
# holds them with the right dependencies.
# usage: package.sh SOURCE-DIR BUILD-DIR
set -euo pipefail
source=$1
build=$2
id=org.example.BodyType
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0

pass() {
    echo "ok: $1"
    passed=$((passed + 1))
}
fail() {
    echo "FAILED: $1" >&2
    exit 1
}

desktop-file-validate "$source/packaging/$id.desktop" || fail "desktop entry"
pass "desktop entry validates"
appstreamcli validate --no-net "$source/packaging/$id.metainfo.xml" || fail "metainfo"
pass "metainfo validates"

expected="bin/bodytype
share/applications/$id.desktop
share/icons/hicolor/128x128/apps/$id.png
share/icons/hicolor/256x256/apps/$id.png
share/icons/hicolor/32x32/apps/$id.png
share/icons/hicolor/64x64/apps/$id.png
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
pass "install lays out the program, desktop entry, metadata and icons"

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" >/dev/null) ||
    fail "cpack"
deb=$(ls "$work"/deb/*.deb)
contents=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $NF}' | sed 's|^\./usr/||' | LC_ALL=C sort)
[ "$contents" = "$expected" ] || fail "package contents:
$contents"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins fonts-liberation; do
    grep -qw -- "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
pass "$(basename "$deb") holds them; Depends: $depends"

echo "$passed passed, 0 failed"
