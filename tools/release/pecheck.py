#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""What a Windows program says of itself, for the Windows package test.

usage: pecheck.py imports EXE     the DLLs it names that are not Windows' KnownDLLs, a line each;
                                  fails if any is imported directly
       pecheck.py hardening EXE   fails unless it asks for ASLR (high-entropy), NX and Terminal
                                  Server awareness and carries the expected manifest
"""
import re
import sys

import pefile

# Windows 10 and 11 load these from the system folder only, whatever the search order
# (HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\KnownDLLs), as they do ntdll and
# kernelbase; API sets (api-ms-win-…) are resolved by the loader itself.
KNOWN_DLLS = {
    "advapi32", "clbcatq", "combase", "comdlg32", "coml2", "difxapi", "gdi32", "gdiplus",
    "imagehlp", "imm32", "kernel32", "kernelbase", "msctf", "msvcrt", "normaliz", "nsi",
    "ntdll", "ole32", "oleaut32", "psapi", "rpcrt4", "sechost", "setupapi", "shcore",
    "shell32", "shlwapi", "user32", "wldap32", "ws2_32"}
CHARACTERISTICS = {"IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA": "high-entropy ASLR",
                   "IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE": "ASLR",
                   "IMAGE_DLLCHARACTERISTICS_NX_COMPAT": "NX",
                   "IMAGE_DLLCHARACTERISTICS_TERMINAL_SERVER_AWARE": "Terminal Server aware"}
MANIFEST = {"runs as its user": r'<requestedExecutionLevel level="asInvoker"',
            "for Windows 10 and 11": r'<supportedOS Id="\{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a\}"',
            "per-monitor DPI awareness, as Qt's": r">PerMonitorV2<"}


def known(name):
    base = name.lower().removesuffix(".dll")
    return base in KNOWN_DLLS or base.startswith(("api-ms-win-", "ext-ms-win-"))


def imports(pe, data):
    """Fails on a direct import that Windows would look for beside the program; prints every
    other DLL the program names, delay-loaded or loaded by Qt at run time (GNU ld leaves the
    delay-load directory empty, so they are found as names in the file, ASCII or UTF-16)."""
    failed = False
    for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", []):
        name = entry.dll.decode()
        if not known(name):
            print(f"pecheck: {name} is imported directly, not delay-loaded", file=sys.stderr)
            failed = True
    named = set()
    for pattern in (rb"[A-Za-z0-9_.-]+\.dll", rb"(?:[A-Za-z0-9_.-]\0)+\.\0d\0l\0l\0"):
        for found in re.findall(pattern, data, re.IGNORECASE):
            name = found.replace(b"\0", b"").decode().lower()
            if not known(name):
                named.add(name)
    print("\n".join(sorted(named)))
    return 1 if failed else 0


def hardening(pe, data):
    failed = []
    flags = pe.OPTIONAL_HEADER.DllCharacteristics
    for flag, what in CHARACTERISTICS.items():
        if not flags & pefile.DLL_CHARACTERISTICS[flag]:
            failed.append(what)
    manifest = ""
    resources = getattr(pe, "DIRECTORY_ENTRY_RESOURCE", None)
    for kind in resources.entries if resources else []:
        if kind.id == pefile.RESOURCE_TYPE["RT_MANIFEST"]:
            data = kind.directory.entries[0].directory.entries[0].data.struct
            manifest = pe.get_data(data.OffsetToData, data.Size).decode("utf-8")
    failed += [f"a manifest: {what}" for what, pattern in MANIFEST.items()
               if not re.search(pattern, manifest)]
    config = "a load configuration" if hasattr(pe, "DIRECTORY_ENTRY_LOAD_CONFIG") else \
        "no load configuration"
    if failed:
        print(f"pecheck: DllCharacteristics {flags:#06x}; missing: {', '.join(failed)}",
              file=sys.stderr)
        return 1
    print(f"DllCharacteristics {flags:#06x} ({', '.join(CHARACTERISTICS.values())}), "
          f"{config}, a manifest ({', '.join(MANIFEST)})")
    return 0


def main():
    mode, path = sys.argv[1:]
    with open(path, "rb") as file:
        data = file.read()
    return {"imports": imports, "hardening": hardening}[mode](pefile.PE(data=data), data)


if __name__ == "__main__":
    sys.exit(main())
