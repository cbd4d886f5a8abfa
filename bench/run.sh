#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs the start-up benchmark in a private Xvfb and reports the release binary's size and the
# Qt libraries it links.
# usage: run.sh BUILD-DIR [RUNS]
set -euo pipefail
build=$1
runs=${2:-20}
program=$build/app/bodytype
work=$(mktemp -d)
xvfb_pid=""
cleanup() {
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
DISPLAY=":$(head -n1 "$work/display")"
export DISPLAY
export XDG_RUNTIME_DIR="$work"
unset QT_QPA_PLATFORM QT_SCALE_FACTOR

"$build/bench/startbench" "$runs" "$program" "$build/bench/floor"

strip -o "$work/bodytype" "$program"
echo
echo "stripped release binary: $(stat -c %s "$work/bodytype") bytes"
echo "Qt libraries linked: $(readelf -d "$program" | sed -n 's/.*Shared library: \[\(libQt[^]]*\)\].*/\1/p' |
    tr '\n' ' ')"
