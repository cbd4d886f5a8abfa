#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Every artefact of a release of this commit, made from clean clones of it (uncommitted changes
# are not released), in build/dist with their SHA-256 sums: the Debian source package and the
# package built from it, checked by lintian; the Windows zip, installer and MSI, built twice, in
# two clones in folders of other names, and compared byte for byte with the program itself; and
# the web page with its site and server settings as a zip. All carry the commit's time.
# usage: tools/release/release.sh     (./dev.sh release installs what it needs first)
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
dist=$top/build/dist
# The upstream version, which the packaging test holds to the project's.
version=$(dpkg-parsechangelog -l "$top/debian/changelog" -S Version)
version=${version%-*}
SOURCE_DATE_EPOCH=$(git -C "$top" log -1 --format=%ct)
export SOURCE_DATE_EPOCH
work=$(mktemp -d "$top/build/.release-XXXXXX")
trap 'rm -rf "$work"' EXIT
rm -rf "$dist"
mkdir -p "$dist"
say() { echo "release: $*" >&2; }
clone() { git clone -q --no-hardlinks "$top" "$1"; }

say "the Debian packages"
clone "$work/debian"
# The same package as with its tests, which ./dev.sh test has run.
(cd "$work/debian" && DEB_BUILD_OPTIONS=nocheck ./dev.sh package) >"$work/debian.log" 2>&1 ||
    { tail -n 40 "$work/debian.log" >&2; exit 1; }
for file in "$work"/debian/build/debian-package/bodytype_*; do
    [ -f "$file" ] && cp "$file" "$dist/"
done

qt=$("$top/tools/windows/build-qt.sh" | tail -n 1)
windows() {
    clone "$1"
    (cd "$1" && BODYTYPE_QT_WINDOWS=$qt cmake --preset windows -DBODYTYPE_BUILD_TESTS=OFF &&
        cmake --build --preset windows &&
        cpack --config build/windows/CPackConfig.cmake -B build/windows/packages) \
        >"$1.log" 2>&1 || { tail -n 40 "$1.log" >&2; exit 1; }
}
say "the Windows packages, twice"
windows "$work/windows"
windows "$work/another-windows"
# Qt puts a Windows program at the top of the build folder.
made=(bodytype.exe packages/bodytype-"$version"-win64.{zip,exe,msi})
for file in "${made[@]}"; do
    cmp "$work/windows/build/windows/$file" "$work/another-windows/build/windows/$file" ||
        { say "two builds of one commit differ: $file"; exit 1; }
    (cd "$work" && sha256sum {,another-}windows/build/windows/"$file") | sed 's/^/release:   /' >&2
done
say "two builds in two folders are the same, byte for byte: $(basename -a "${made[@]}" | xargs)"
cp "$work"/windows/build/windows/packages/bodytype-"$version"-win64.{zip,exe,msi} "$dist/"

say "the web page"
# In the first clone, which has been built for Windows only.
web=$work/windows
(cd "$web" && cmake --preset web -DBODYTYPE_BUILD_TESTS=OFF && cmake --build --preset web) \
    >"$work/web.log" 2>&1 || { tail -n 40 "$work/web.log" >&2; exit 1; }
/usr/bin/python3 -B - "$web/build/web" "$dist/bodytype-$version-web.zip" "bodytype-$version-web" \
    <<'PYTHON'
import pathlib, os, sys, time, zipfile
folder, out, top = pathlib.Path(sys.argv[1]), sys.argv[2], sys.argv[3]
when = time.gmtime(int(os.environ["SOURCE_DATE_EPOCH"]))[:6]
names = ["bodytype.html"] + sorted(str(p.relative_to(folder)) for part in ("site", "server")
                                   for p in (folder / part).rglob("*") if p.is_file())
with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED) as archive:
    for name in names:
        entry = zipfile.ZipInfo(f"{top}/{name}", when)
        entry.external_attr = 0o644 << 16
        entry.compress_type = zipfile.ZIP_DEFLATED
        archive.writestr(entry, (folder / name).read_bytes())
PYTHON

(cd "$dist" && sha256sum -- * >SHA256SUMS)
say "in $dist:"
find "$dist" -type f -printf '  %s\t%f\n' | sort -k2 >&2
