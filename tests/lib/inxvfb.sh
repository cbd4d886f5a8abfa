#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Runs a command in a private X server, which ends with it, and ends every Wine server it left.
# usage: inxvfb.sh COMMAND [ARGUMENT...]
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/x11session.sh" inxvfb
need Xvfb
start_xvfb
status=0
"$@" || status=$?
for prefix in "$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"/build/windows/wine/*/; do
    # Waited for, so that none is still drawing when the X server ends. Wine takes only
    # absolute prefixes.
    if [ -d "$prefix" ] && WINEPREFIX=$prefix /usr/lib/wine/wineserver -k 2>/dev/null; then
        WINEPREFIX=$prefix /usr/lib/wine/wineserver -w 2>/dev/null || true
    fi
done
exit "$status"
