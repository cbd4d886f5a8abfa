#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Reads the real program's accessibility tree over AT-SPI, as a screen reader on Linux does:
# a private session bus and accessibility bus, the program in Xvfb, two real clicks, then
# atspi_tree.py checks every control's role, Bulgarian name and checked state.
# usage: atspi.sh PROGRAM
set -euo pipefail
program=$1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

if [ -z "${BODYTYPE_IN_SESSION:-}" ]; then
    for tool in dbus-run-session /usr/libexec/at-spi-bus-launcher /usr/bin/python3; do
        command -v "$tool" >/dev/null || { echo "atspi: $tool is not installed" >&2; exit 1; }
    done
    BODYTYPE_IN_SESSION=1 exec dbus-run-session -- "$0" "$@"
fi
. "$here/../lib/x11session.sh" atspi
need Xvfb xdotool

start_xvfb
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/bus.log" 2>&1 &
pids+=($!)
# Qt turns its AT-SPI bridge on when a screen reader says so; here no reader is running.
start_program env QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program"
# The mesomorphic component, then the rating 5.
component 1
rating 5
sleep 0.2

# Debian's own Python, which python3-pyatspi installs into, whatever else is first on PATH; it
# leaves no compiled copy of the shared check helpers in the source tree.
/usr/bin/python3 -B "$here/atspi_tree.py" "$BODYTYPE_FORM_JSON"
