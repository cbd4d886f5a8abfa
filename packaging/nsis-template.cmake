# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The installer speaks Bulgarian whatever the language of the Windows it runs on: CMake's NSIS
# script is made again with the language chosen before any page shows, and its two English
# texts put into Bulgarian. A CMake whose script reads otherwise stops the configure here, so
# that an installer is never made half in English.
set(bodytype_nsis_template ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in)
file(READ ${bodytype_nsis_template} script)

function(bodytype_nsis_replace from to)
    string(FIND "${script}" "${from}" at)
    if(at EQUAL -1)
        string(STRIP "${from}" shown)
        message(FATAL_ERROR "${bodytype_nsis_template} has no '${shown}': the installer's "
            "language cannot be set with this CMake")
    endif()
    string(REPLACE "${from}" "${to}" replaced "${script}")
    set(script "${replaced}" PARENT_SCOPE)
endfunction()

bodytype_nsis_replace("Function .onInit\n" "Function .onInit\n  StrCpy $LANGUAGE \${LANG_BULGARIAN}\n")
bodytype_nsis_replace("Function un.onInit\n"
    "Function un.onInit\n  StrCpy $LANGUAGE \${LANG_BULGARIAN}\n")
bodytype_nsis_replace(
    "\"@CPACK_NSIS_PACKAGE_NAME@ is already installed. $\\n$\\nDo you want to uninstall the old version before installing the new one?\""
    "\"„@CPACK_NSIS_PACKAGE_NAME@“ вече е инсталирана. $\\n$\\nДа се премахне ли старата версия преди инсталирането на новата?\"")
bodytype_nsis_replace("\\Uninstall.lnk\"" "\\Премахване на програмата.lnk\"")
bodytype_nsis_replace("\"Uninstall failed.\"" "\"Премахването на старата версия не успя.\"")

set(bodytype_nsis_dir ${CMAKE_CURRENT_BINARY_DIR}/nsis)
# CPack looks for its templates on the module path first; it fills in the @-names as it packs.
file(WRITE ${bodytype_nsis_dir}/NSIS.template.in "${script}")
list(PREPEND CMAKE_MODULE_PATH ${bodytype_nsis_dir})
