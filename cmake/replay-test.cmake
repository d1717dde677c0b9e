# quillon_replay_test(NAME SCRIPT LOCALE [HEADLESS]): the end-to-end test NAME, in which
# quillon-replay reads SCRIPT under LC_ALL=LOCALE and must print exactly the lines of the
# .jsonl file of the same name beside it. HEADLESS runs it with --headless, on controls held in
# memory; otherwise it acts on the window on the platform QUILLON_QPA_PLATFORM names (where
# the window is built). A cross build runs the program through its emulator (CMAKE_CROSSCOMPILING_EMULATOR).
function(quillon_replay_test name script locale)
    cmake_parse_arguments(PARSE_ARGV 3 arg "HEADLESS" "" "")
    string(REGEX REPLACE "\\.txt$" ".jsonl" expected ${script})
    set(environment "LC_ALL=${locale}")
    set(args "")
    if(arg_HEADLESS)
        set(args --headless)
    else()
        list(APPEND environment QT_QPA_PLATFORM=${QUILLON_QPA_PLATFORM})
    endif()
    add_test(NAME ${name}
        COMMAND ${CMAKE_COMMAND} -DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}
                -DPROGRAM=$<TARGET_FILE:quillon-replay> -DARGS=${args}
                -DSCRIPT=${script} -DEXPECTED=${expected}
                -P ${PROJECT_SOURCE_DIR}/tests/compare_replay.cmake)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${environment}")
endfunction()
