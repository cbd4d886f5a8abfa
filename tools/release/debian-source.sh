#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Makes the Debian source package from this checkout: the upstream tarball from git without
# debian/, the same bytes every time for one commit (git gives every file the commit's time and
# a fixed order; gzip -n leaves out a name and time of its own), then dpkg-source. Uncommitted
# changes to tracked files are taken too, as a commit of their own; untracked files are not.
# usage: tools/release/debian-source.sh OUT-DIR     prints the .dsc's path as its last line
set -euo pipefail
source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
mkdir -p "$1"
out=$(cd "$1" && pwd)
version=$(dpkg-parsechangelog -l "$source_dir/debian/changelog" -S Version)
upstream=${version%-*}
tree=$(git -C "$source_dir" stash create)
tree=${tree:-HEAD}

rm -rf "$out/bodytype-$upstream"
git -C "$source_dir" archive --format=tar --prefix="bodytype-$upstream/" "$tree" -- . \
    ':(exclude)debian' | gzip -9n >"$out/bodytype_$upstream.orig.tar.gz"
tar -C "$out" -xzf "$out/bodytype_$upstream.orig.tar.gz"
git -C "$source_dir" archive --format=tar --prefix="bodytype-$upstream/" "$tree" debian |
    tar -C "$out" -xf -
(cd "$out" && dpkg-source --build "bodytype-$upstream" >&2)
echo "$out/bodytype_$version.dsc"
