# Installs the browser tests' tools into DIR with npm ci, from the pinned package-lock.json,
# unless what is installed there came from the same lock file.
#   cmake -DDIR=build-web/ui/web/tools -P ui/web/tools/npm_ci.cmake
set(stamp ${DIR}/node_modules/.installed-from-lock.json)
file(READ ${DIR}/package-lock.json wanted)
if(EXISTS ${stamp})
    file(READ ${stamp} installed)
    if(installed STREQUAL wanted)
        message(STATUS "The browser tests' tools are installed")
        return()
    endif()
endif()
execute_process(COMMAND npm ci --no-audit --no-fund WORKING_DIRECTORY ${DIR}
                COMMAND_ERROR_IS_FATAL ANY)
file(COPY_FILE ${DIR}/package-lock.json ${stamp})
