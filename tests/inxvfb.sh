#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Runs a command in a private X server, which ends with it, and ends every Wine server it left.
# usage: inxvfb.sh COMMAND [ARGUMENT...]
set -euo pipefail
test_name=inxvfb
. "$(dirname "${BASH_SOURCE[0]}")/x11session.sh"
need Xvfb
start_xvfb
status=0
"$@" || status=$?
for prefix in build/windows/wine/*/; do
    [ -d "$prefix" ] && WINEPREFIX=$prefix /usr/lib/wine/wineserver -k 2>/dev/null || true
done
exit "$status"
