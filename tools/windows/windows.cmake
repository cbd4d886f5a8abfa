# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# A Windows program of this build is one file: Qt is static, and the MinGW runtime (libstdc++,
# libgcc, winpthread) is linked in too, so it imports only Windows' own DLLs.
add_link_options(-static)

# Two clones of one commit in two folders build the same program: no path of either is kept,
# and the program's link time is the commit's (SOURCE_DATE_EPOCH, which the linker reads),
# given from outside or taken when the build is configured.
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=. -ffile-prefix-map=${PROJECT_BINARY_DIR}=.)
set(BODYTYPE_EPOCH $ENV{SOURCE_DATE_EPOCH})
if(NOT BODYTYPE_EPOCH)
    execute_process(COMMAND git -C ${PROJECT_SOURCE_DIR} log -1 --format=%ct
        OUTPUT_VARIABLE BODYTYPE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
if(BODYTYPE_EPOCH MATCHES "^[0-9]+$")
    set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${BODYTYPE_EPOCH})
endif()

# Windows looks for a DLL that is not one of its KnownDLLs beside the program first, and the
# program is made to be copied where others can write (USB sticks, shared folders, Downloads):
# a DLL of the same name put beside it would run with the rights of whoever starts it. Each
# such DLL that Qt imports is delay-loaded instead, through an import library of the same name
# found before the system's, so that none loads before main() has told Windows to take DLLs
# from the system folder only. The Windows package test fails on any other direct import.
set(BODYTYPE_DELAY_LOADED authz d3d11 d3d9 dwmapi dwrite dxgi netapi32 userenv uxtheme version
    winmm wtsapi32)
set(delay_folder ${CMAKE_BINARY_DIR}/delay-load)
file(MAKE_DIRECTORY ${delay_folder})
find_program(BODYTYPE_DLLTOOL x86_64-w64-mingw32-dlltool REQUIRED)
set(delay_libraries "")
foreach(dll IN LISTS BODYTYPE_DELAY_LOADED)
    find_library(import_${dll} NAMES lib${dll}.a REQUIRED NO_CACHE)
    # The functions the system's import library names, as a module definition for dlltool.
    execute_process(COMMAND ${CMAKE_NM} --defined-only ${import_${dll}}
        OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX MATCHALL "__imp_[A-Za-z0-9_@?$]+" functions "${symbols}")
    list(TRANSFORM functions REPLACE "^__imp_" "")
    list(REMOVE_DUPLICATES functions)
    list(SORT functions)
    list(JOIN functions "\n" exports)
    file(CONFIGURE OUTPUT ${delay_folder}/${dll}.def
        CONTENT "LIBRARY ${dll}.dll\nEXPORTS\n${exports}\n" @ONLY)
    # dlltool names its symbols after the output's path and its temporary files after its process
    # id: run in the folder, with a fixed prefix, the library is the same wherever it is made.
    add_custom_command(OUTPUT ${delay_folder}/lib${dll}.a
        COMMAND ${BODYTYPE_DLLTOOL} --input-def ${dll}.def --dllname ${dll}.dll
            --output-delaylib lib${dll}.a --temp-prefix ${dll}
        DEPENDS ${delay_folder}/${dll}.def
        WORKING_DIRECTORY ${delay_folder}
        VERBATIM)
    list(APPEND delay_libraries ${delay_folder}/lib${dll}.a)
endforeach()
add_custom_target(delay_load_libraries DEPENDS ${delay_libraries})

# A program links the delay-loading import libraries ahead of the system's.
function(bodytype_delay_load target)
    add_dependencies(${target} delay_load_libraries)
    target_link_directories(${target} BEFORE PRIVATE ${delay_folder})
endfunction()

set(BODYTYPE_QT_LICENSES ${QT6_INSTALL_PREFIX}/LGPL-3.0-only.txt
    ${QT6_INSTALL_PREFIX}/BUILDINFO.txt)

set(BODYTYPE_WINE_PREFIXES ${CMAKE_BINARY_DIR}/wine)
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh @ONLY
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
    WORLD_EXECUTE)
