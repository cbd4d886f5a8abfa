#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# What a Windows user downloads: the installer and the portable zip hold exactly the program,
# one file importing only Windows' own DLLs, and the licences; both stay small; the program runs
# alone from an empty folder, as from a zip opened in Explorer; the installer installs silently
# into a fresh Wine prefix, the installed program shows its window, and the uninstaller removes
# every file it installed.
# usage: winpackage.sh BUILD-DIR   (in an X server)
set -euo pipefail
build=$1
. "$(dirname "${BASH_SOURCE[0]}")/../../tests/lib/x11session.sh" winpackage
wine=/usr/lib/wine/wine64
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true; cleanup' EXIT
shows_window() {
    start_program "$wine" "$1"
    kill "$app_pid" 2>/dev/null || true
    wait "$app_pid" 2>/dev/null || true
}

expected="bodytype.exe
licenses/README.txt
licenses/bodytype-GPL-3.0-or-later.txt
licenses/gcc-runtime/copyright.txt
licenses/mingw-w64/copyright.txt
licenses/qt/BUILDINFO.txt
licenses/qt/LGPL-3.0-only.txt"

# Left in the build for whoever wants to hand them on.
packages=$build/packages
rm -rf "$packages"
(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$packages" >"$work/cpack.log" 2>&1) ||
    { cat "$work/cpack.log"; fail "cpack"; }
# Not for users: the list of files that CPack hands to the MSI's script, and CPack's staging.
rm -rf "$packages"/*.json "$packages/_CPack_Packages"
zip=$(ls "$packages"/*.zip)
installer=$(ls "$packages"/*.exe)

listed=$(cmake -E tar tf "$zip" | grep -v '/$' | sed 's|^[^/]*/||' | LC_ALL=C sort)
[ "$listed" = "$expected" ] || fail "zip contents:
$listed"
size=$(stat -c %s "$zip")
[ "$size" -le $((7 * 1024 * 1024)) ] || fail "the zip is $size bytes, over 7 MiB"
pass "$(basename "$zip"): the expected $(wc -l <<<"$expected") files, $size bytes"
file "$installer" | grep -q 'PE32+ executable' || fail "the installer is not 64-bit: $(file "$installer")"
pass "$(basename "$installer"): a 64-bit installer, $(stat -c %s "$installer") bytes"

"$wine" wineboot -i >/dev/null 2>&1
mkdir "$work/unzipped" "$work/alone"
(cd "$work/unzipped" && cmake -E tar xf "$zip")
alone=$work/alone
cp "$work"/unzipped/*/bodytype.exe "$alone/"
size=$(stat -c %s "$alone/bodytype.exe")
[ "$size" -le $((16 * 1024 * 1024)) ] || fail "bodytype.exe is $size bytes, over 16 MiB"
# Every DLL it imports is one that Windows itself has: in a fresh prefix's system folder, or an
# API set (api-ms-win-…), which Windows' loader resolves to its own DLLs.
imports=$(x86_64-w64-mingw32-objdump -p "$alone/bodytype.exe" | sed -n 's/^\s*DLL Name: //p')
for dll in $imports; do
    [[ "$dll" == api-ms-win-* ]] ||
        [ -n "$(find "$WINEPREFIX/drive_c/windows/system32" -maxdepth 1 -iname "$dll")" ] ||
        fail "bodytype.exe imports $dll, which is not one of Windows' own DLLs"
done
pass "bodytype.exe, $size bytes, imports only Windows' own ${imports//$'\n'/ }"
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
hardening=$(/usr/bin/python3 -B "$here/pecheck.py" hardening "$alone/bodytype.exe") ||
    fail "bodytype.exe is not hardened"
pass "bodytype.exe: $hardening"
for folder in "$here/../.." "$build" "${XDG_CACHE_HOME:-$HOME/.cache}"; do
    folder=$(cd "$folder" && pwd)
    ! grep -aqF "$folder" "$alone/bodytype.exe" || fail "bodytype.exe names the folder $folder"
done
pass "bodytype.exe names no folder of the machine it was built on"

# A DLL put beside the program under the name of one that it loads (as anyone who can write to
# the USB stick or the Downloads folder could) never runs: each name that Windows would look
# for beside the program is delay-loaded, and taken from the system folder only. Under every
# such name that the program holds, a DLL exporting all that Windows' own does is put beside
# it, and Wine told to prefer it, as Windows does; a plain program shows that they load.
named=$(/usr/bin/python3 -B "$here/pecheck.py" imports "$alone/bodytype.exe") ||
    fail "bodytype.exe imports a DLL that Windows would look for beside it"
[ -n "$named" ] || fail "bodytype.exe names no DLL to plant: the test below would prove nothing"
plant=$work/planted
mkdir "$plant"
cp "$alone/bodytype.exe" "$plant/"
planted=()
for dll in $named; do
    { echo "LIBRARY $dll" && echo EXPORTS &&
        x86_64-w64-mingw32-nm --defined-only "/usr/x86_64-w64-mingw32/lib/lib${dll%.dll}.a" \
            2>/dev/null | sed -n 's/.* I __imp_\(.*\)/\1=planted/p' | sort -u; } >"$work/$dll.def"
    x86_64-w64-mingw32-gcc-posix -shared -s -o "$plant/$dll" "$here/planted.c" "$work/$dll.def" ||
        fail "building the planted $dll"
    planted+=("$dll")
done
x86_64-w64-mingw32-gcc-posix -municode -DLOADER -s -o "$plant/loader.exe" "$here/planted.c" ||
    fail "building the loader"
# Wine's own system DLLs import some of these names, and load them from beside any program
# that imports those system DLLs, where Windows' KnownDLLs import none: a program that imports
# the same system DLLs as bodytype.exe, and does nothing, shows which.
libraries=()
for dll in $imports; do
    library=/usr/x86_64-w64-mingw32/lib/lib$(tr '[:upper:]' '[:lower:]' <<<"${dll%.*}").a
    [ -f "$library" ] || continue
    function=$(x86_64-w64-mingw32-nm --defined-only "$library" |
        sed -n 's/.* I __imp_\([A-Za-z_][A-Za-z0-9_]*\)$/\1/p' | awk '!/^ord_/ && !f { f = 1; print }')
    echo "extern void *__imp_$function; void *use_$function = &__imp_$function;"
    libraries+=("$library")
done >"$work/same-imports.c"
echo "int main(void) { return 0; }" >>"$work/same-imports.c"
x86_64-w64-mingw32-gcc-posix -s -o "$plant/same-imports.exe" "$work/same-imports.c" \
    "${libraries[@]}" || fail "building a program with the same imports"
overrides=$WINEDLLOVERRIDES
native=$(printf '%s=n,b;' "${planted[@]%.*}")
export WINEDLLOVERRIDES="$overrides;$native"
markers() { find "$plant" -name '*.loaded' -printf '%f\n' | sed 's/\.loaded$//' | LC_ALL=C sort; }
"$wine" "$plant/loader.exe" "${planted[@]}" >/dev/null 2>&1 || true
loaded=$(markers)
[ "$(wc -l <<<"$loaded")" -eq ${#planted[@]} ] ||
    fail "only these of the ${#planted[@]} planted DLLs load into a plain program: $loaded"
rm -f "$plant"/*.loaded
"$wine" "$plant/same-imports.exe" >/dev/null 2>&1 || true
by_wine=$(markers)
rm -f "$plant"/*.loaded
shows_window "$plant/bodytype.exe"
ran=$(comm -23 <(markers) <(echo "$by_wine"))
[ -z "$ran" ] || fail "bodytype.exe ran the planted $(echo "$ran" | xargs)"
export WINEDLLOVERRIDES=$overrides
pass "none of the ${#planted[@]} DLLs planted beside bodytype.exe ran (${planted[*]}), though a plain program loads them all (Wine's own system DLLs load $(echo "$by_wine" | xargs) for any program)"
shows_window "$alone/bodytype.exe"
pass "bodytype.exe alone in an empty folder shows its window"

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

# The installed program: nothing of the build is on its path.
shows_window 'C:\bodytype\bodytype.exe'
pass "the installed program shows its window"

"$wine" 'C:\bodytype\Uninstall.exe' /S >/dev/null 2>&1 || fail "silent uninstall"
/usr/lib/wine/wineserver -w
left=$(if [ -d "$folder" ]; then find "$folder" -type f; fi)
[ -z "$left" ] || fail "the uninstaller left: $left"
left=$(shortcuts)
[ -z "$left" ] || fail "the uninstaller left: $left"
pass "the uninstaller removed every file it installed"

# The Windows Installer package, as a school's administrator deploys it. Its tables first: Wine
# puts even a per-machine package's shortcut in the user's menu.
msi=$(ls "$packages"/bodytype-*-win64.msi)
name="Вид на телосложение"
property() { msiinfo export "$msi" Property | tr -d '\r' | awk -F'\t' -v p="$1" '$1 == p { print $2 }'; }
[ "$(property ProductName)" = "$name" ] || fail "the MSI's product name: $(property ProductName)"
for setting in ALLUSERS=1 ARPNOMODIFY=1 ARPPRODUCTICON=bodytype.ico Manufacturer=example.org \
    ARPURLINFOABOUT=https://www.example.org; do
    [ "$(property "${setting%%=*}")" = "${setting#*=}" ] || fail "the MSI does not set $setting"
done
msiinfo export "$msi" Shortcut | grep -q "	bodytype|$name	" || fail "the MSI's shortcut name"
msiinfo export "$msi" LaunchCondition | grep -q 'вече е инсталирана по-нова версия' ||
    fail "the MSI's message on a newer version"
pass "$(basename "$msi"), $(stat -c %s "$msi") bytes: per machine, named in Bulgarian, no modify button"

# A lower version of the same files, to be upgraded.
(cd "$work" && cpack -G External -R 0.9.0 --config "$build/CPackConfig.cmake" -B "$work/old" \
    >"$work/cpack-old.log" 2>&1) || { cat "$work/cpack-old.log"; fail "cpack 0.9.0"; }
old=$(ls "$work"/old/bodytype-0.9.0-win64.msi)

export WINEPREFIX=$work/msi-prefix
"$wine" wineboot -i >/dev/null 2>&1
winpath() { echo "Z:${1//\//\\}"; }
msiexec() {
    local status=0
    "$wine" msiexec "$@" /qn /l*v "$(winpath "$work/msiexec.log")" >/dev/null 2>&1 || status=$?
    /usr/lib/wine/wineserver -w
    return $status
}
# The entries among the installed programs named for the program: "version publisher" each.
entries() {
    "$wine" reg export 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' \
        "$(winpath "$work/uninstall.reg")" /y >/dev/null 2>&1 || true
    iconv -f UTF-16 -t UTF-8 "$work/uninstall.reg" 2>/dev/null | tr -d '\r' | awk -F'"' -v name="$name" '
        /^\[/ { if (found) print version, publisher; found = 0; version = publisher = "" }
        $2 == "DisplayName" && $4 == name { found = 1 }
        $2 == "DisplayVersion" { version = $4 }
        $2 == "Publisher" { publisher = $4 }
        END { if (found) print version, publisher }'
}
programs=$WINEPREFIX/drive_c/Program\ Files/bodytype
msiexec /i "$(winpath "$old")" || fail "msiexec /i $(basename "$old") /qn"
[ "$(entries)" = "0.9.0 example.org" ] || fail "after installing 0.9.0: $(entries)"
msiexec /i "$(winpath "$msi")" || fail "msiexec /i $(basename "$msi") /qn"
version=$(property ProductVersion)
[ "$(entries)" = "$version example.org" ] || fail "after the upgrade: $(entries)"
installed=$(cd "$programs" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
[ "$installed" = "$expected" ] || fail "the MSI installed:
$installed"
shortcuts | grep -q "/$name\.lnk$" || fail "no Start-menu shortcut: $(shortcuts)"
pass "silent install of 0.9.0, then $version over it: one entry, $version by example.org, the files, the shortcut"

shows_window 'C:\Program Files\bodytype\bodytype.exe'
pass "the program installed from the MSI shows its window"

if msiexec /i "$(winpath "$old")"; then fail "0.9.0 installed over $version"; fi
[ "$(entries)" = "$version example.org" ] || fail "after refusing 0.9.0: $(entries)"
msiexec /i "$(winpath "$msi")" || fail "installing $version again"
[ "$(entries)" = "$version example.org" ] || fail "after installing $version again: $(entries)"
rm "$programs/bodytype.exe"
msiexec /i "$(winpath "$msi")" REINSTALL=ALL REINSTALLMODE=omus || fail "the repair"
[ -f "$programs/bodytype.exe" ] || fail "the repair did not put bodytype.exe back"
pass "0.9.0 over $version is refused; $version again leaves one entry; a repair puts a deleted file back"

msiexec /x "$(winpath "$msi")" || fail "msiexec /x /qn"
[ -z "$(entries)" ] || fail "after msiexec /x the entry is left: $(entries)"
left=$(if [ -d "$programs" ]; then find "$programs"; fi; shortcuts)
[ -z "$left" ] || fail "msiexec /x left: $left"
pass "msiexec /x removed every file, the shortcut and the entry"
finish
