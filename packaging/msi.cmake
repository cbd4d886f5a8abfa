# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Run by CPack's External generator on the staged install tree, the same files the installer and
# the zip hold: writes bodytype.wxs from its template and builds bodytype-VERSION-win64.msi with
# Debian's wixl, then puts the Bulgarian texts into it with msibuild.
cmake_policy(VERSION 3.25)
set(root ${CPACK_TEMPORARY_DIRECTORY})
set(work ${CPACK_TOPLEVEL_DIRECTORY}/msi)
# wixl takes files only by paths relative to its .wxs.
file(RELATIVE_PATH source ${work} ${root})
set(version ${CPACK_PACKAGE_VERSION})
set(upgrade_code ${CPACK_BODYTYPE_UPGRADE_CODE})
foreach(tool wixl:wixl msibuild:msitools faketime:faketime)
    string(REPLACE ":" ";" tool ${tool})
    list(GET tool 0 name)
    list(GET tool 1 package)
    find_program(${name}_program ${name})
    if(NOT ${name}_program)
        message(FATAL_ERROR "msi: ${name} is missing: apt-get install ${package}")
    endif()
endforeach()
# wixl and msibuild date the package with the clock (its summary's creation and saving times):
# they are given the commit's time instead, held still, so that two builds are the same.
# The cabinet inside keeps each file's time, which is the commit's too.
set(at_commit_time "")
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    string(TIMESTAMP commit_time "%Y-%m-%d %H:%M:%S" UTC)
    set(at_commit_time ${CMAKE_COMMAND} -E env TZ=UTC ${faketime_program} ${commit_time})
    file(GLOB_RECURSE staged_files ${root}/*)
    execute_process(COMMAND touch --no-dereference --date=@$ENV{SOURCE_DATE_EPOCH}
        ${staged_files} COMMAND_ERROR_IS_FATAL ANY)
endif()

# Every code is derived from the fixed upgrade code: the product's from the version, so that one
# version is one product; each component's from its file's place, so that it stays the same
# component from version to version; the package's from the version and the files' contents.
macro(derived_uuid variable name)
    string(UUID ${variable} NAMESPACE ${upgrade_code} NAME "${name}" TYPE SHA1 UPPER)
endmacro()
derived_uuid(product_code "product ${version}")
derived_uuid(shortcut_guid "shortcut")

file(GLOB_RECURSE staged LIST_DIRECTORIES false RELATIVE ${root} ${root}/*)
list(SORT staged)
if(NOT "bodytype.exe" IN_LIST staged)
    message(FATAL_ERROR "msi: bodytype.exe is not among the staged files in ${root}")
endif()
set(contents "")
foreach(path IN LISTS staged)
    file(SHA256 ${root}/${path} sum)
    string(APPEND contents "${path} ${sum}\n")
endforeach()
derived_uuid(package_code "package ${version}\n${contents}")

# One component for each file, in a directory tree as the files lie.
set(files "")
set(component_refs "")
function(add_folder folder indent)
    set(prefix "")
    if(folder)
        set(prefix "${folder}/")
    endif()
    string(LENGTH "${prefix}" length)
    set(subfolders "")
    foreach(path IN LISTS staged)
        string(SUBSTRING "${path}" 0 ${length} start)
        if(NOT start STREQUAL prefix)
            continue()
        endif()
        string(SUBSTRING "${path}" ${length} -1 rest)
        if(rest MATCHES "^([^/]+)/")
            list(APPEND subfolders ${CMAKE_MATCH_1})
            continue()
        endif()
        if(path STREQUAL "bodytype.exe")
            set(id bodytype.exe)
        else()
            string(MAKE_C_IDENTIFIER "file_${path}" id)
        endif()
        derived_uuid(guid "file ${path}")
        string(APPEND files "${indent}<Component Id=\"${id}\" Guid=\"${guid}\" Win64=\"yes\">\n"
            "${indent}  <File Id=\"${id}\" Name=\"${rest}\" Source=\"${source}/${path}\" KeyPath=\"yes\"/>\n"
            "${indent}</Component>\n")
        string(APPEND component_refs "      <ComponentRef Id=\"${id}\"/>\n")
    endforeach()
    list(REMOVE_DUPLICATES subfolders)
    foreach(subfolder IN LISTS subfolders)
        string(MAKE_C_IDENTIFIER "folder_${prefix}${subfolder}" id)
        string(APPEND files "${indent}<Directory Id=\"${id}\" Name=\"${subfolder}\">\n")
        add_folder("${prefix}${subfolder}" "${indent}  ")
        string(APPEND files "${indent}</Directory>\n")
    endforeach()
    set(files "${files}" PARENT_SCOPE)
    set(component_refs "${component_refs}" PARENT_SCOPE)
endfunction()
add_folder("" "          ")
string(REGEX REPLACE "\n$" "" files "${files}")
string(REGEX REPLACE "\n$" "" component_refs "${component_refs}")

set(vendor ${CPACK_PACKAGE_VENDOR})
set(homepage ${CPACK_BODYTYPE_HOMEPAGE})
file(RELATIVE_PATH icon ${work} ${CPACK_BODYTYPE_ICON})
file(MAKE_DIRECTORY ${work})
configure_file(${CPACK_BODYTYPE_WXS} ${work}/bodytype.wxs @ONLY)
set(msi ${work}/bodytype-${version}-win64.msi)
file(REMOVE ${msi})
execute_process(COMMAND ${at_commit_time} ${wixl_program} -a x64 -o ${msi} ${work}/bodytype.wxs
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0 OR NOT EXISTS ${msi})
    message(FATAL_ERROR "msi: wixl failed:\n${output}")
endif()

# Debian's wixl (0.101) ignores the product's code page and writes every non-ASCII string empty:
# the database is given the Cyrillic code page, then each text is set in Bulgarian.
set(force_codepage ${work}/_ForceCodepage.idt)
file(WRITE ${force_codepage} "\r\n\r\n1251\t_ForceCodepage\r\n")
set(name "Вид на телосложение")
set(queries
    "UPDATE `Property` SET `Value` = '${name}' WHERE `Property` = 'ProductName'"
    "UPDATE `Shortcut` SET `Name` = 'bodytype|${name}' WHERE `Shortcut` = 'program'"
    "UPDATE `LaunchCondition` SET `Description` = 'На този компютър вече е инсталирана по-нова версия на „${name}“. Махнете я, преди да инсталирате тази.' WHERE `Condition` = 'NOT WIX_DOWNGRADE_DETECTED'")
set(arguments -i ${force_codepage})
foreach(query IN LISTS queries)
    list(APPEND arguments -q "${query}")
endforeach()
# The summary: the name, the languages and the package's own code (wixl makes up a new one on
# each run).
list(APPEND arguments -s "${name}" "${CPACK_PACKAGE_VENDOR}" "x64\;1026" "{${package_code}}")
execute_process(COMMAND ${at_commit_time} ${msibuild_program} ${msi} ${arguments}
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "msi: msibuild failed:\n${output}")
endif()
set(CPACK_EXTERNAL_BUILT_PACKAGES ${msi})
