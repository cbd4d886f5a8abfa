# SPDX-FileCopyrightText: 2026 The bodytype developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs PROGRAM (through EMULATOR, when given: a Windows program under Wine) and fails unless it
# exits with EXPECTED_STATUS and its standard error matches the regular expression
# EXPECTED_MESSAGE (and, if given, standard output EXPECTED_OUTPUT).
execute_process(COMMAND ${EMULATOR} "${PROGRAM}"
    RESULT_VARIABLE status
    OUTPUT_VARIABLE out
    ERROR_VARIABLE err)
# Windows writes text with CR LF line ends.
string(REPLACE "\r\n" "\n" out "${out}")
string(REPLACE "\r\n" "\n" err "${err}")
if(NOT status STREQUAL "${EXPECTED_STATUS}")
    message(FATAL_ERROR "exit status: expected ${EXPECTED_STATUS}, got '${status}'\nstderr: ${err}")
endif()
# Qt may add warnings of its own; the message must stand on a line of its own, once.
string(REGEX MATCHALL "${EXPECTED_MESSAGE}" found "${err}")
list(LENGTH found times)
if(NOT times EQUAL 1)
    message(FATAL_ERROR "standard error held '${EXPECTED_MESSAGE}' ${times} times:\n${err}")
endif()
if(DEFINED EXPECTED_OUTPUT AND NOT out MATCHES "${EXPECTED_OUTPUT}")
    message(FATAL_ERROR "standard output did not match '${EXPECTED_OUTPUT}':\n${out}")
endif()
message(STATUS "exit status ${status}, message: ${err}")
