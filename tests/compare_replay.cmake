# Runs PROGRAM (with the arguments in ARGS, if any) with SCRIPT on standard input and fails unless its output equals EXPECTED.
# EMULATOR, if set, runs PROGRAM (a cross-compiled program, e.g. under wine64).
execute_process(COMMAND ${EMULATOR} ${PROGRAM} ${ARGS} INPUT_FILE ${SCRIPT} OUTPUT_VARIABLE actual
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} exited with ${status}")
endif()
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "output differs from ${EXPECTED}:\n--- expected\n${expected}--- actual\n${actual}")
endif()
