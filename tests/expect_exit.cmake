# Runs PROGRAM and fails unless it exits with EXPECTED_STATUS and its standard error matches
# the regular expression EXPECTED_MESSAGE.
execute_process(COMMAND "${PROGRAM}"
    RESULT_VARIABLE status
    OUTPUT_VARIABLE out
    ERROR_VARIABLE err)
if(NOT status STREQUAL "${EXPECTED_STATUS}")
    message(FATAL_ERROR "exit status: expected ${EXPECTED_STATUS}, got '${status}'\nstderr: ${err}")
endif()
if(NOT err MATCHES "${EXPECTED_MESSAGE}")
    message(FATAL_ERROR "standard error did not match '${EXPECTED_MESSAGE}':\n${err}")
endif()
message(STATUS "exit status ${status}, message: ${err}")
