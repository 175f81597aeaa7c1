# Runs a program as a script would, with no display and no Qt platform chosen, and checks
# its exit status and what it said on stderr. Run with -DPROGRAM=, -DARGS= (separated by
# "|"), -DSTATUS= and -DSAYS= (a regular expression stderr must match).
string(REPLACE "|" ";" arguments "${ARGS}")
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
            --unset=QT_QPA_PLATFORM "${PROGRAM}" ${arguments}
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT "${status}" STREQUAL "${STATUS}")
    message(FATAL_ERROR "exit status ${status}, expected ${STATUS}; stderr:\n${errors}")
endif()
if(NOT errors MATCHES "${SAYS}")
    message(FATAL_ERROR "stderr does not say \"${SAYS}\":\n${errors}")
endif()
if(NOT STATUS EQUAL 0 AND NOT output STREQUAL "")
    message(FATAL_ERROR "a refusal printed on stdout too:\n${output}")
endif()
