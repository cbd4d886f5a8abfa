#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Tries the README on another Debian release as a new user would: a fresh minimal system of that
# release, a clean clone of this checkout in it, the README's run command (the window must
# appear, and close with status 0), then its test command, then the test command for each
# PRESET given. The minimal system is made once from the archive this machine's apt uses and
# kept in the cache; each run works on a copy of it, which is deleted afterwards.
# usage (as root): tests/debian-release.sh RELEASE [PRESET...]    e.g. trixie asan
set -euo pipefail
source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
test_name=debian-release
. "$source_dir/tests/checks.sh"

# Inside a private mount namespace (the second half of this script): the mounts a system needs,
# undone on the way out; none of them is ever seen outside.
if [ "${1:-}" = --inside ]; then
    root=$2
    archives=$3
    shift 3
    . "$source_dir/tests/x11session.sh"
    need Xvfb xdotool
    mount -t proc proc "$root/proc"
    mount -t sysfs sysfs "$root/sys"
    mount --rbind /dev "$root/dev"
    mount --make-rslave "$root/dev"
    # Packages once downloaded are kept for the next run, which still resolves them afresh.
    mount --bind "$archives" "$root/var/cache/apt/archives"
    trap 'cleanup; umount "$root/var/cache/apt/archives"; umount -R "$root/dev"
        umount "$root/sys" "$root/proc"' EXIT
    as_user() {
        chroot "$root" env -i HOME=/root PATH=/usr/local/bin:/usr/bin:/bin:/usr/local/sbin:/usr/sbin:/sbin \
            LANG=C.UTF-8 TERM=dumb ${DISPLAY:+DISPLAY=$DISPLAY} bash -c "cd ~/bodytype && $1"
    }

    # Programs open their windows on an X server of this machine's, reached through its
    # abstract socket, which a chroot shares; closing a window must end its program with 0.
    start_xvfb
    shows_window() {
        window_wait=9000 start_program as_user "$1"
        pass "$1 opened the window"
        close_program "$x11close"
        pass "$1 ended with status 0 when its window was closed"
    }

    # The run command first, on the fresh system: what it installs must be enough.
    shows_window './dev.sh run'
    for preset in dev "$@"; do
        as_user "./dev.sh test $preset" || fail "./dev.sh test $preset"
        pass "./dev.sh test $preset"
    done
    # The README's Debian package, built, checked, installed with apt and started.
    as_user 'cmake --preset release >/dev/null && cmake --build --preset release >/dev/null &&
        cd build/release && cpack -G DEB >/dev/null && lintian --fail-on error,warning -I ./bodytype_*.deb &&
        apt-get install -y -q ./bodytype_*.deb' || fail "the Debian package"
    pass "the Debian package passes lintian and installs with apt"
    shows_window 'exec bodytype'
    exit 0
fi

release=${1:?usage: tests/debian-release.sh RELEASE [PRESET...]}
shift
[ "$(id -u)" = 0 ] || fail "a chroot needs root"
# This machine's helper closes the windows, as the end-to-end test does.
export x11close=$source_dir/build/dev/tests/x11close
[ -x "$x11close" ] || fail "$x11close is missing: run ./dev.sh test first"
. "$source_dir/tools/install-missing.sh"
install_missing debootstrap git xvfb xdotool
start=$SECONDS

# The archive this machine's apt takes its own release from.
. /etc/os-release
mirror=$(apt-get indextargets --format '$(RELEASE) $(REPO_URI)' 'Identifier: Packages' |
    awk -v release="$VERSION_CODENAME" '$1 == release { print $2; exit }')
[ -n "$mirror" ] || fail "no Debian archive for $VERSION_CODENAME in apt's sources"

cache=${XDG_CACHE_HOME:-$HOME/.cache}/bodytype
key=$(echo "$release $mirror minbase git" | sha256sum | cut -c1-12)
base=$cache/debian-$release-$key
if [ ! -f "$base/etc/os-release" ]; then
    echo "$test_name: making a minimal Debian $release from $mirror into $base" >&2
    mkdir -p "$cache"
    new=$(mktemp -d "$cache/.debian-XXXXXX")
    # git only because the program's source is cloned with it.
    debootstrap --variant=minbase --include=git "$release" "$new" "$mirror" >"$new.log" 2>&1 || {
        tail -n 20 "$new.log" >&2
        rm -rf --one-file-system "$new"
        fail "debootstrap $release failed"
    }
    rm -f "$new.log"
    # Packages install without starting services, which would outlive the run.
    printf '#!/bin/sh\nexit 101\n' >"$new/usr/sbin/policy-rc.d"
    chmod 755 "$new/usr/sbin/policy-rc.d"
    rm -rf "$base"
    mv "$new" "$base"
    for other in "$cache/debian-$release-"*; do
        [ "$other" = "$base" ] || [ "$other" = "$cache/debian-$release-archives" ] ||
            rm -rf --one-file-system "$other"
    done
fi
pass "a minimal Debian $release ($(cat "$base/etc/debian_version"))"

archives=$cache/debian-$release-archives
mkdir -p "$archives/partial"
root=$(mktemp -d /var/tmp/bodytype-$release-XXXXXX)
# A system's root is open to all its users (apt's and man's among them).
chmod 755 "$root"
# Processes started in the system end, then every mount under it is undone, and only a system
# with nothing mounted in it is deleted: a mounted /dev deleted with rm would take this
# machine's device nodes with it.
cleanup() {
    local pid
    for pid in /proc/[0-9]*; do
        if [ "$(readlink "$pid/root" 2>/dev/null)" = "$root" ]; then
            kill -9 "${pid#/proc/}" 2>/dev/null || true
        fi
    done
    sleep 1
    while read -r _ mountpoint _; do
        case "$mountpoint" in "$root"/*) umount -l "$mountpoint" || true ;; esac
    done < <(sort -r -k2 /proc/mounts)
    if grep -q " $root/" /proc/mounts; then
        echo "$test_name: still mounted under $root; it is left in place" >&2
        return
    fi
    rm -rf --one-file-system "$root"
}
trap cleanup EXIT
cp -a "$base/." "$root/"
cp /etc/resolv.conf "$root/etc/resolv.conf"
git clone --quiet "$source_dir" "$root/root/bodytype"
pass "a clean clone of $(git -C "$source_dir" rev-parse --short HEAD)"

unshare --mount --propagation private "$source_dir/tests/debian-release.sh" --inside "$root" "$archives" "$@" ||
    fail "on Debian $release"
pass "Debian $release, in $((SECONDS - start)) s"
echo "$passed passed, 0 failed"
