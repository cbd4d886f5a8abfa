# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Writes the Debian copyright file (machine-readable format) from the project's licence data:
# the SPDX headers of the files and .reuse/dep5 for those that cannot carry one. The files'
# most common copyright and licence become "Files: *", the others are listed, and each licence
# gets its paragraph pointing at Debian's copy of its text, or, where Debian has none, the text
# itself from LICENSES/. A file with several holders or licences keeps them all.

# The paragraph that Debian's copyright file gives each licence that the project uses.
set(license_GPL-3.0-or-later [=[
 This program is free software: you can redistribute it and/or modify it under
 the terms of the GNU General Public License as published by the Free Software
 Foundation, either version 3 of the License, or (at your option) any later
 version.
 .
 This program is distributed in the hope that it will be useful, but WITHOUT
 ANY WARRANTY; without even the implied warranty of MERCHANTABILITY or FITNESS
 FOR A PARTICULAR PURPOSE. See the GNU General Public License for more details.
 .
 On Debian systems, the complete text of the GNU General Public License
 version 3 can be found in "/usr/share/common-licenses/GPL-3".]=])
set(license_CC0-1.0 [=[
 To the extent possible under law, the authors have dedicated all copyright
 and related and neighboring rights to this file to the public domain
 worldwide. This file is distributed without any warranty.
 .
 On Debian systems, the complete text of the Creative Commons Zero v1.0
 Universal Public Domain Dedication can be found in
 "/usr/share/common-licenses/CC0-1.0".]=])

function(bodytype_write_copyright source output)
    file(GLOB_RECURSE files RELATIVE "${source}" "${source}/*")
    list(FILTER files EXCLUDE REGEX "^(\\.git|build|LICENSES|\\.reuse|\\.pc)/")
    # What a Debian package build leaves in debian/.
    list(FILTER files EXCLUDE REGEX "^debian/(bodytype|\\.debhelper|tmp)/")
    list(FILTER files EXCLUDE REGEX "^debian/(files|debhelper-build-stamp|.*\\.substvars)$")
    list(SORT files)
    set(groups "")
    foreach(file IN LISTS files)
        # The header, at the top of the file.
        # REUSE-IgnoreStart
        file(STRINGS "${source}/${file}" lines LIMIT_INPUT 1024 REGEX "SPDX-[A-Za-z-]+:")
        set(copyright "")
        set(license "")
        foreach(line IN LISTS lines)
            if(line MATCHES "SPDX-FileCopyrightText: *(.*[^ ])")
                if(NOT copyright STREQUAL "")
                    string(APPEND copyright "\n ")
                endif()
                string(APPEND copyright "${CMAKE_MATCH_1}")
            elseif(license STREQUAL "" AND line MATCHES
                    "SPDX-License-Identifier: *([^ ]+( +(AND|OR|WITH) +[^ ]+)*)")
                # SPDX's AND and OR are written in lower case in Debian's format.
                string(REPLACE " AND " " and " license "${CMAKE_MATCH_1}")
                string(REPLACE " OR " " or " license "${license}")
            endif()
        endforeach()
        # REUSE-IgnoreEnd
        if(copyright STREQUAL "" OR license STREQUAL "")
            continue() # dep5 answers for it
        endif()
        string(MD5 group "${copyright}|${license}")
        if(NOT group IN_LIST groups)
            list(APPEND groups ${group})
            set(copyright_${group} "${copyright}")
            set(license_of_${group} "${license}")
            set(files_${group} "")
        endif()
        list(APPEND files_${group} "${file}")
    endforeach()

    # The largest group is "Files: *"; in this format the last matching paragraph wins.
    set(widest "")
    set(most 0)
    foreach(group IN LISTS groups)
        list(LENGTH files_${group} count)
        if(count GREATER most)
            set(most ${count})
            set(widest ${group})
        endif()
    endforeach()
    if(widest STREQUAL "")
        message(FATAL_ERROR "copyright: no file of ${source} has an SPDX header")
    endif()

    file(READ "${source}/.reuse/dep5" dep5)
    string(REGEX MATCH "^[^\n]+(\n[^\n]+)*" header "${dep5}")
    string(LENGTH "${header}" length)
    string(SUBSTRING "${dep5}" ${length} -1 stanzas)
    string(STRIP "${stanzas}" stanzas)

    set(text "${header}\n\nFiles: *\nCopyright: ${copyright_${widest}}\n")
    string(APPEND text "License: ${license_of_${widest}}\n")
    set(used "")
    foreach(group IN LISTS groups)
        if(group STREQUAL widest)
            continue()
        endif()
        list(JOIN files_${group} "\n " listed)
        string(APPEND text "\nFiles: ${listed}\nCopyright: ${copyright_${group}}\n")
        string(APPEND text "License: ${license_of_${group}}\n")
    endforeach()
    string(APPEND text "\n${stanzas}\n")
    string(REGEX MATCHALL "\nLicense: [^\n]+" expressions "${text}")
    foreach(expression IN LISTS expressions)
        string(REGEX REPLACE "^\nLicense: " "" expression "${expression}")
        string(REGEX MATCHALL "[^ ()]+" ids "${expression}")
        list(REMOVE_ITEM ids and or with)
        list(APPEND used ${ids})
    endforeach()
    list(REMOVE_DUPLICATES used)
    list(SORT used)
    foreach(license IN LISTS used)
        if(NOT DEFINED license_${license})
            # Not among Debian's common licences: the text itself, each line indented and an
            # empty one written as " .".
            if(NOT EXISTS "${source}/LICENSES/${license}.txt")
                message(FATAL_ERROR "copyright: no text for the licence ${license}")
            endif()
            file(STRINGS "${source}/LICENSES/${license}.txt" licence_lines)
            set(license_${license} "")
            foreach(licence_line IN LISTS licence_lines)
                string(STRIP "${licence_line}" licence_line)
                if(licence_line STREQUAL "")
                    if(license_${license} MATCHES "(^|\n \\.\n)$")
                        continue() # one empty line stands for several
                    endif()
                    set(licence_line ".")
                endif()
                string(APPEND license_${license} " ${licence_line}\n")
            endforeach()
            string(REGEX REPLACE "\n$" "" license_${license} "${license_${license}}")
        endif()
        string(APPEND text "\nLicense: ${license}\n${license_${license}}\n")
    endforeach()
    file(WRITE "${output}" "${text}")
endfunction()
