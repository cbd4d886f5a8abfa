# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Read by cpack as it packs. The packages carry the time of the last commit, not the time they
# were made, so that two builds of one commit give the same bytes (SOURCE_DATE_EPOCH, as
# Debian's reproducible builds use it). A time given from outside is kept.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    execute_process(COMMAND git -C "${CPACK_BODYTYPE_SOURCE_DIR}" log -1 --format=%ct
        OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE status)
    if(status EQUAL 0 AND epoch MATCHES "^[0-9]+$")
        set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
    endif()
endif()
