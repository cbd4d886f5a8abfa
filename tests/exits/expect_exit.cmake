# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs PROGRAM with ARGS (comma-separated; through EMULATOR, when given: a Windows program under Wine) and fails
# unless it exits with EXPECTED_STATUS and its standard error matches the regular expression
# EXPECTED_MESSAGE once (or is empty, when none is given), and, if given, standard output
# matches EXPECTED_OUTPUT.
string(REPLACE "," ";" ARGS "${ARGS}")
execute_process(COMMAND ${EMULATOR} "${PROGRAM}" ${ARGS}
    RESULT_VARIABLE status
    OUTPUT_VARIABLE out
    ERROR_VARIABLE err)
# Windows writes text with CR LF line ends.
string(REPLACE "\r\n" "\n" out "${out}")
string(REPLACE "\r\n" "\n" err "${err}")
if(NOT status STREQUAL "${EXPECTED_STATUS}")
    message(FATAL_ERROR "exit status: expected ${EXPECTED_STATUS}, got '${status}'\nstderr: ${err}")
endif()
if(NOT DEFINED EXPECTED_MESSAGE)
    if(NOT err STREQUAL "")
        message(FATAL_ERROR "standard error was not empty:\n${err}")
    endif()
else()
    # Qt may add warnings of its own; the message must stand on a line of its own, once.
    string(REGEX MATCHALL "${EXPECTED_MESSAGE}" found "${err}")
    list(LENGTH found times)
    if(NOT times EQUAL 1)
        message(FATAL_ERROR "standard error held '${EXPECTED_MESSAGE}' ${times} times:\n${err}")
    endif()
endif()
if(DEFINED EXPECTED_OUTPUT AND NOT out MATCHES "${EXPECTED_OUTPUT}")
    message(FATAL_ERROR "standard output did not match '${EXPECTED_OUTPUT}':\n${out}")
endif()
message(STATUS "exit status ${status}, message: ${err}")
