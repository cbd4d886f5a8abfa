#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Drives the real program in a real X server: real mouse clicks at the controls' places on the
# screen, the report read back by selecting and copying it from the result box, and the window
# closed the way a window manager's close box closes it. The program may be started through an
# emulator (Wine), which bridges the clipboard and the window to X11.
# usage: e2e.sh X11CLOSE PROGRAM [ARGUMENT...]
set -euo pipefail
# In a session bus of its own, as on a desktop: Qt 6.8 asks it for the desktop portal at start,
# and with no bus that question is still open at exit, where LeakSanitizer counts what Qt keeps
# for it.
if [ -z "${BODYTYPE_IN_SESSION:-}" ]; then
    command -v dbus-run-session >/dev/null || { echo "e2e: dbus-run-session is not installed" >&2; exit 1; }
    BODYTYPE_IN_SESSION=1 exec dbus-run-session -- "$0" "$@"
fi
x11close=$1
shift
. "$(dirname "${BASH_SOURCE[0]}")/../lib/x11session.sh" e2e
need Xvfb xdotool xclip

start_xvfb
start_program "$@"
[ "$WIDTH $HEIGHT" = "$form_size" ] || fail "the window is ${WIDTH}x$HEIGHT, not the form's $form_size"
pass "the window is the form's size, $form_size"

# Waits until the copy has reached the clipboard: the program may be slow to take it, under
# the sanitizers or an emulator.
copy_report() {
    local before
    before=$(xclip -o -selection clipboard 2>/dev/null | od -c) || true
    click_control Text1_0
    xdotool key --clearmodifiers ctrl+a ctrl+c
    for _ in $(seq 100); do
        xclip -o -selection clipboard >"$work/$1" 2>/dev/null || true
        [ -s "$work/$1" ] && [ "$(od -c <"$work/$1")" != "$before" ] && return 0
        sleep 0.1
    done
    fail "nothing new reached the clipboard"
}

expect() {
    local name=$1 expected=$2
    if cmp -s "$work/$name" "$expected"; then
        pass "the $name report"
    else
        diff <(od -c "$expected") <(od -c "$work/$name") >&2 || true
        failed "the $name report differs from what was expected"
    fi
}

component 0
rating 3
component 1
rating 7
component 2
output
copy_report first
printf '%s\n' 'Въведеният тип е:' 'ендоморфен (пикничен): 3' \
    'мезоморфен (атлетичен): 7  Явно определен!' 'ектоморфен (астеничен): 0  ???' \
    >"$work/expected-first"
expect first "$work/expected-first"

# Clearing keeps the component chosen last, so the next rating goes to the ectomorphic one;
# a second output replaces the first report.
clear_ratings
rating 5
output
output
copy_report second
printf '%s\n' 'Въведеният тип е:' 'ендоморфен (пикничен): 0  ???' \
    'мезоморфен (атлетичен): 0  ???' 'ектоморфен (астеничен): 5' >"$work/expected-second"
expect second "$work/expected-second"

close_program "$x11close"
pass "closed; exit status 0"
finish
