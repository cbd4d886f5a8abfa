# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Cross-building for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64-posix): used
# both to build Qt for Windows and to build the program against it. The posix flavour gives
# std::thread and std::mutex, which Qt needs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

# Programs come from the build machine; headers, libraries and CMake packages only from the
# target's root and from the prefixes given on the command line (Qt for Windows).
set(CMAKE_FIND_ROOT_PATH /usr/${triple} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Hardened as Debian hardens its own programs, for Qt and the program alike: stack protection,
# checked string and memory functions, and, spelt out rather than left to the linker's defaults,
# a relocatable image at a high-entropy random address with a stack and heap that never run, and
# aware of Terminal Server, as the programs of Microsoft's own linker are.
# (-fstack-protector-strong at link time brings in libssp, which the checked functions need.)
set(CMAKE_C_FLAGS_INIT "-fstack-protector-strong -D_FORTIFY_SOURCE=2")
set(CMAKE_CXX_FLAGS_INIT "-fstack-protector-strong -D_FORTIFY_SOURCE=2")
set(CMAKE_EXE_LINKER_FLAGS_INIT
    "-fstack-protector-strong -Wl,--dynamicbase -Wl,--high-entropy-va -Wl,--nxcompat -Wl,--tsaware")

# Debian's zlib for Windows (libz-mingw-w64-dev) comes as a DLL and as a static library: the
# static one, so that the program stays one file.
set(ZLIB_USE_STATIC_LIBS ON)
