# Installs the program into a scratch tree and runs `appstreamcli compose` over it, as a
# software centre's catalogue is built: it must succeed with no error, warning or other note.
#   cmake -DBUILD_DIR=... -DWORK_DIR=... -DAPPSTREAMCLI=... -P compose_test.cmake
file(REMOVE_RECURSE "${WORK_DIR}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${WORK_DIR}/root/usr"
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND "${APPSTREAMCLI}" compose --no-color --origin quillon
                        "--result-root=${WORK_DIR}/result" "${WORK_DIR}/root"
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
message("${output}")
if(NOT status EQUAL 0)
    message(FATAL_ERROR "appstreamcli compose failed with status ${status}")
endif()
# Every issue is listed by its severity letter and tag, e.g. "  W: icon-too-small".
if(output MATCHES "(^|\n) *[EWIP]: ")
    message(FATAL_ERROR "appstreamcli compose reported issues")
endif()
file(GLOB icons "${WORK_DIR}/result/usr/share/swcatalog/icons/quillon/64x64/*.png")
if(NOT icons)
    message(FATAL_ERROR "the catalogue has no 64 x 64 icon")
endif()
