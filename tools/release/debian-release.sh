#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Tries the README on another Debian release as a new user would: a fresh minimal system of that
# release, a clean clone of this checkout in it, the README's run command (the window must
# appear, and close with status 0), then its test command, then the test command for each
# PRESET given. Then the Debian package as Debian's build machines build it: the source package
# made from the clone, built with its tests in a fresh system holding only build-essential and
# the declared build dependencies, checked with lintian and its autopkgtest, and built again
# without the tests, in another fresh system with only the other build dependencies, in a folder
# of another name: the same package, byte for byte. It is installed with apt and started. The
# minimal systems are made once from the archive this machine's apt uses and kept in the cache;
# each run works on copies of them, which are deleted afterwards.
# usage (as root): tools/release/debian-release.sh RELEASE [PRESET...]    e.g. trixie asan
set -euo pipefail
source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
. "$source_dir/tests/lib/checks.sh"

# Inside a private mount namespace (the second half of this script): the mounts a system needs,
# undone on the way out; none of them is ever seen outside.
if [ "${1:-}" = --inside ]; then
    root=$2
    package=$3
    nocheck=$4
    archives=$5
    shift 5
    . "$source_dir/tests/lib/x11session.sh" debian-release
    need Xvfb xdotool
    mounted=()
    # shellcheck disable=SC2317 # run by the EXIT trap
    unmount_all() {
        local system
        for system in "${mounted[@]}"; do
            umount "$system/var/cache/apt/archives"
            umount -R "$system/dev"
            umount "$system/sys" "$system/proc"
        done
    }
    trap 'cleanup; unmount_all' EXIT
    for system in "$root" "$package" "$nocheck"; do
        mount -t proc proc "$system/proc"
        mount -t sysfs sysfs "$system/sys"
        mount --rbind /dev "$system/dev"
        mount --make-rslave "$system/dev"
        # Packages once downloaded are kept for the next run, which still resolves them afresh.
        mount --bind "$archives" "$system/var/cache/apt/archives"
        mounted+=("$system")
    done
    in_system() {
        chroot "$1" env -i HOME=/root PATH=/usr/local/bin:/usr/bin:/bin:/usr/local/sbin:/usr/sbin:/sbin \
            LANG=C.UTF-8 TERM=dumb ${DISPLAY:+DISPLAY=$DISPLAY} bash -c "$2"
    }
    as_user() {
        in_system "$root" "cd ~/bodytype && $1"
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

    arch=$(in_system "$package" 'dpkg --print-architecture')
    step=$SECONDS
    in_system "$package" "export DEBIAN_FRONTEND=noninteractive; apt-get update -q &&
        cd /build/first && apt-get build-dep -y -q ./bodytype_*.dsc &&
        dpkg-source -x ./bodytype_*.dsc bodytype && cd bodytype && dpkg-buildpackage -us -uc" ||
        fail "dpkg-buildpackage"
    pass "dpkg-buildpackage with the tests, with only build-essential and the build dependencies \
($((SECONDS - step)) s with their installation)"
    in_system "$package" "export DEBIAN_FRONTEND=noninteractive
        apt-get install -y -q --no-install-recommends lintian >/dev/null &&
        /build/first/bodytype/tools/release/package.sh deb /build/first/bodytype_*_$arch.changes" ||
        fail "the package's checks"
    pass "the package holds what it should and lintian finds no error or warning"
    in_system "$package" "export DEBIAN_FRONTEND=noninteractive
        apt-get install -y -q --no-install-recommends autopkgtest >/dev/null &&
        autopkgtest /build/first/bodytype_*.dsc /build/first/bodytype_*_$arch.deb -- null" ||
        fail "autopkgtest"
    pass "autopkgtest against the installed package"
    step=$SECONDS
    in_system "$nocheck" "export DEBIAN_FRONTEND=noninteractive; apt-get update -q &&
        cd /build/second && apt-get build-dep -y -q -P nocheck ./bodytype_*.dsc &&
        dpkg-source -x ./bodytype_*.dsc another-bodytype && cd another-bodytype &&
        DEB_BUILD_OPTIONS=nocheck dpkg-buildpackage -us -uc -b --build-profiles=nocheck" ||
        fail "dpkg-buildpackage without the tests"
    pass "dpkg-buildpackage without the tests and their build dependencies \
($((SECONDS - step)) s with the others' installation)"
    first=$(ls "$package"/build/first/bodytype_*_"$arch".deb)
    second=$(ls "$nocheck"/build/second/bodytype_*_"$arch".deb)
    cmp "$first" "$second" || fail "two builds of one commit gave different packages"
    pass "the two builds give the same package: $(sha256sum <"$first" | cut -c1-16)…"

    # The README's Debian package, installed with apt and started.
    cp "$first" "$root/root/"
    in_system "$root" "DEBIAN_FRONTEND=noninteractive apt-get install -y -q ./root/$(basename "$first")" ||
        fail "apt install the package"
    pass "the package installs with apt"
    shows_window 'exec bodytype'
    exit 0
fi

release=${1:?usage: tools/release/debian-release.sh RELEASE [PRESET...]}
shift
[ "$(id -u)" = 0 ] || fail "a chroot needs root"
# This machine's helper closes the windows, as the end-to-end test does.
export x11close=$source_dir/build/dev/tests/desktop/x11close
[ -x "$x11close" ] || fail "$x11close is missing: run ./dev.sh test first"
export BODYTYPE_FORM_JSON=$source_dir/build/dev/form.json
[ -f "$BODYTYPE_FORM_JSON" ] || fail "$BODYTYPE_FORM_JSON is missing: run ./dev.sh test first"
. "$source_dir/tools/install-missing.sh"
install_missing debootstrap git xvfb xdotool dpkg-dev
start=$SECONDS

# The archive this machine's apt takes its own release from.
. /etc/os-release
# shellcheck disable=SC2016 # apt's own placeholders, not the shell's
mirror=$(apt-get indextargets --format '$(RELEASE) $(REPO_URI)' 'Identifier: Packages' |
    awk -v release="$VERSION_CODENAME" '$1 == release { print $2; exit }')
[ -n "$mirror" ] || fail "no Debian archive for $VERSION_CODENAME in apt's sources"

cache=${XDG_CACHE_HOME:-$HOME/.cache}/bodytype
# A minimal system of the release made with debootstrap (VARIANT, and the packages to INCLUDE):
# its folder in the cache, made the first time.
bootstrap() {
    local variant=$1 include=$2 key base new
    key=$(echo "$release $mirror $variant${include:+ $include}" | sha256sum | cut -c1-12)
    base=$cache/debian-$release-$key
    if [ ! -f "$base/etc/os-release" ]; then
        echo "debian-release: making a $variant Debian $release from $mirror into $base" >&2
        mkdir -p "$cache"
        new=$(mktemp -d "$cache/.debian-XXXXXX")
        debootstrap --variant="$variant" ${include:+--include=$include} "$release" "$new" \
            "$mirror" >"$new.log" 2>&1 || {
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
    fi
    echo "$base"
}
# For the README's commands, with git, with which a newcomer clones the program; for the
# package, what Debian's build machines start from: build-essential and no more.
base=$(bootstrap minbase git)
buildd=$(bootstrap buildd "")
pass "a minimal Debian $release ($(cat "$base/etc/debian_version")), and one for building packages"

archives=$cache/debian-$release-archives
mkdir -p "$archives/partial"
systems=()
# A copy of a cached system for this run: its folder in $system.
new_system() {
    system=$(mktemp -d "/var/tmp/bodytype-$release-$1-XXXXXX")
    # A system's root is open to all its users (apt's and man's among them).
    chmod 755 "$system"
    systems+=("$system")
    cp -a "$2/." "$system/"
    # This machine's own network setup: its resolver, and the certificate authorities it adds
    # (a proxy's), which the system takes in once it installs ca-certificates.
    cp /etc/resolv.conf "$system/etc/resolv.conf"
    if [ -d /usr/local/share/ca-certificates ]; then
        mkdir -p "$system/usr/local/share/ca-certificates"
        cp -a /usr/local/share/ca-certificates/. "$system/usr/local/share/ca-certificates/"
    fi
}
# Processes started in the systems end, then every mount under them is undone, and only a
# system with nothing mounted in it is deleted: a mounted /dev deleted with rm would take this
# machine's device nodes with it.
# shellcheck disable=SC2317 # run by the EXIT trap
cleanup() {
    local pid system
    for system in "${systems[@]}"; do
        for pid in /proc/[0-9]*; do
            if [ "$(readlink "$pid/root" 2>/dev/null)" = "$system" ]; then
                kill -9 "${pid#/proc/}" 2>/dev/null || true
            fi
        done
    done
    sleep 1
    for system in "${systems[@]}"; do
        while read -r _ mountpoint _; do
            case "$mountpoint" in "$system"/*) umount -l "$mountpoint" || true ;; esac
        done < <(sort -r -k2 /proc/mounts)
        if grep -q " $system/" /proc/mounts; then
            echo "debian-release: still mounted under $system; it is left in place" >&2
            continue
        fi
        rm -rf --one-file-system "$system"
    done
}
trap cleanup EXIT
new_system readme "$base"
root=$system
new_system package "$buildd"
package=$system
new_system nocheck "$buildd"
nocheck=$system
git clone --quiet "$source_dir" "$root/root/bodytype"
pass "a clean clone of $(git -C "$source_dir" rev-parse --short HEAD)"
"$root/root/bodytype/tools/release/debian-source.sh" "$package/build/first" >/dev/null
mkdir -p "$nocheck/build/second"
cp "$package"/build/first/bodytype_* "$nocheck/build/second/"
rm -rf "$package"/build/first/bodytype-*/
pass "its source package: $(cd "$package/build/first" && echo bodytype_*)"

unshare --mount --propagation private "$source_dir/tools/release/debian-release.sh" --inside "$root" \
    "$package" "$nocheck" "$archives" "$@" ||
    fail "on Debian $release"
pass "Debian $release, in $((SECONDS - start)) s"
finish
