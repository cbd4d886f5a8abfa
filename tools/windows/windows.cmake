# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# A Windows program of this build is one file: Qt is static, and the MinGW runtime (libstdc++,
# libgcc, winpthread) is linked in too, so it imports only Windows' own DLLs.
add_link_options(-static)

set(BODYTYPE_QT_LICENSES ${QT6_INSTALL_PREFIX}/LGPL-3.0-only.txt
    ${QT6_INSTALL_PREFIX}/BUILDINFO.txt)

set(BODYTYPE_WINE_PREFIXES ${CMAKE_BINARY_DIR}/wine)
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh @ONLY
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
    WORLD_EXECUTE)
