# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# What a Windows program of this build needs beside it, found once: Qt's DLLs and plugins, the
# MinGW runtime, Qt's Bulgarian texts. The same list runs the tests under Wine and is shipped.

# The MinGW runtime DLLs, from the compiler's own folders.
set(BODYTYPE_MINGW_RUNTIME "")
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
        OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
        message(FATAL_ERROR "The MinGW runtime ${dll} is missing: apt-get install "
            "g++-mingw-w64-x86-64-posix")
    endif()
    list(APPEND BODYTYPE_MINGW_RUNTIME ${path})
endforeach()

set(qt ${QT6_INSTALL_PREFIX})
set(BODYTYPE_QT_DLLS ${qt}/bin/Qt6Core.dll ${qt}/bin/Qt6Gui.dll ${qt}/bin/Qt6Widgets.dll)
set(BODYTYPE_QT_PLUGINS
    platforms:${qt}/plugins/platforms/qwindows.dll
    imageformats:${qt}/plugins/imageformats/qjpeg.dll
    styles:${qt}/plugins/styles/qwindowsvistastyle.dll)
# Qt's own texts in Bulgarian come from Debian's translations, which serve every platform.
find_file(BODYTYPE_QT_BG qtbase_bg.qm PATHS /usr/share/qt6/translations NO_CMAKE_FIND_ROOT_PATH
    NO_DEFAULT_PATH)
if(NOT BODYTYPE_QT_BG)
    message(FATAL_ERROR "Qt's Bulgarian texts are missing: apt-get install qt6-translations-l10n")
endif()
set(BODYTYPE_QT_LICENSES ${qt}/LGPL-3.0-only.txt ${qt}/BUILDINFO.txt)

# Under Wine: the DLLs on the path, Qt's plugins where Qt looks for them (beside its DLLs).
set(dll_dirs ${qt}/bin)
foreach(dll IN LISTS BODYTYPE_MINGW_RUNTIME)
    get_filename_component(dir ${dll} DIRECTORY)
    list(APPEND dll_dirs ${dir})
endforeach()
list(REMOVE_DUPLICATES dll_dirs)
# A CMake list is already the semicolon-separated path Windows wants.
list(TRANSFORM dll_dirs PREPEND "Z:" OUTPUT_VARIABLE BODYTYPE_WINE_PATH)
set(BODYTYPE_WINE_PREFIXES ${CMAKE_BINARY_DIR}/wine)
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh @ONLY
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
    WORLD_EXECUTE)
