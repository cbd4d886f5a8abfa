// SPDX-FileCopyrightText: 2026 The bodytype developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A DLL that someone has put beside the program under the name of one that Windows has: built
// under each name the program loads, exporting what it imports from that one, it leaves a file
// "<its own path>.loaded" when it is loaded. Built with LOADER, a program that loads the DLLs
// named on its command line as any program would, to show that a planted one is found.
#include <windows.h>

#ifdef LOADER
int wmain(int argc, wchar_t **argv)
{
    for (int i = 1; i < argc; ++i)
        LoadLibraryW(argv[i]);
    return 0;
}
#else
int planted(void)
{
    return 0;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) {
        wchar_t path[MAX_PATH + 8];
        DWORD length = GetModuleFileNameW(instance, path, MAX_PATH);
        lstrcpyW(path + length, L".loaded");
        CloseHandle(CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
    }
    return TRUE;
}
#endif
