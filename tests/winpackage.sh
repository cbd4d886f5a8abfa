#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# What a Windows user downloads: the installer and the portable zip hold exactly the program, the
# DLLs and plugins it needs, Qt's Bulgarian texts and the licences; the zip stays small; the
# installer installs silently into a fresh Wine prefix, the installed program shows its window
# on its own DLLs, and the uninstaller removes every file it installed.
# usage: winpackage.sh BUILD-DIR   (in an X server)
set -euo pipefail
build=$1
test_name=winpackage
. "$(dirname "${BASH_SOURCE[0]}")/x11session.sh"
wine=/usr/lib/wine/wine64
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true; cleanup' EXIT
. "$(dirname "${BASH_SOURCE[0]}")/checks.sh"

expected="Qt6Core.dll
Qt6Gui.dll
Qt6Widgets.dll
bodytype.exe
imageformats/qjpeg.dll
libgcc_s_seh-1.dll
libstdc++-6.dll
libwinpthread-1.dll
licenses/bodytype-GPL-3.0-or-later.txt
licenses/gcc-runtime/copyright.txt
licenses/qt/BUILDINFO.txt
licenses/qt/LGPL-3.0-only.txt
platforms/qwindows.dll
styles/qwindowsvistastyle.dll
translations/qtbase_bg.qm"

# Left in the build for whoever wants to hand them on.
packages=$build/packages
rm -rf "$packages"
(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$packages" >"$work/cpack.log" 2>&1) ||
    { cat "$work/cpack.log"; fail "cpack"; }
zip=$(ls "$packages"/*.zip)
installer=$(ls "$packages"/*.exe)

listed=$(cmake -E tar tf "$zip" | grep -v '/$' | sed 's|^[^/]*/||' | LC_ALL=C sort)
[ "$listed" = "$expected" ] || fail "zip contents:
$listed"
size=$(stat -c %s "$zip")
[ "$size" -lt $((12 * 1024 * 1024)) ] || fail "the zip is $size bytes, over 12 MB"
pass "$(basename "$zip"): the expected $(wc -l <<<"$expected") files, $size bytes"
file "$installer" | grep -q 'PE32+ executable' || fail "the installer is not 64-bit: $(file "$installer")"
pass "$(basename "$installer"): a 64-bit installer, $(stat -c %s "$installer") bytes"

"$wine" wineboot -i >/dev/null 2>&1
"$wine" "$installer" /S '/D=C:\bodytype' >/dev/null 2>&1 || fail "silent install"
/usr/lib/wine/wineserver -w
folder=$WINEPREFIX/drive_c/bodytype
installed=$(cd "$folder" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
[ "$installed" = "$(printf '%s\nUninstall.exe' "$expected" | LC_ALL=C sort)" ] ||
    fail "installed files:
$installed"
"$wine" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\bodytype' \
    /v DisplayName 2>/dev/null | grep -q DisplayName ||
    fail "no entry among the installed programs"
shortcuts() { find "$WINEPREFIX/drive_c" -name '*.lnk' -path '*Вид на телосложение*'; }
shortcuts | grep -q '/Вид на телосложение\.lnk$' || fail "no Start-menu shortcut: $(shortcuts)"
pass "installed into C:\\bodytype, listed among the installed programs, with its shortcut"

# The installed program on its own DLLs: nothing of the build is on its path.
start_program "$wine" 'C:\bodytype\bodytype.exe'
kill "$app_pid" 2>/dev/null || true
wait "$app_pid" 2>/dev/null || true
pass "the installed program shows its window"

"$wine" 'C:\bodytype\Uninstall.exe' /S >/dev/null 2>&1 || fail "silent uninstall"
/usr/lib/wine/wineserver -w
left=$( [ -d "$folder" ] && find "$folder" -type f || true)
[ -z "$left" ] || fail "the uninstaller left: $left"
left=$(shortcuts)
[ -z "$left" ] || fail "the uninstaller left: $left"
pass "the uninstaller removed every file it installed"
echo "$passed passed, 0 failed"
