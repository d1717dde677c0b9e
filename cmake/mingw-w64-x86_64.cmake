# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 GCC (POSIX threads, for
# std::thread and std::mutex). Programs are linked fully static, so that they need no DLL of
# the compiler's runtime; tests and programs run under wine64 when it is installed
# (.ci/wine-run.sh).
#
#   cmake -S . -B build-windows --toolchain cmake/mingw-w64-x86_64.cmake \
#         -DCMAKE_PREFIX_PATH=/path/to/mingw/prefix
#
# Libraries and headers are found only under the MinGW-w64 root and under the folders of
# CMAKE_PREFIX_PATH, never among the build machine's own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUILLON_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QUILLON_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUILLON_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${QUILLON_MINGW_TRIPLET}-windres)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

set(CMAKE_FIND_ROOT_PATH /usr/${QUILLON_MINGW_TRIPLET} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# add_test, gtest_discover_tests and the end-to-end scripts run the programs through this:
# .ci/wine-run.sh, which sets wine up for the build (its prefix, Windows' font metrics, and
# Qt's and the compiler's DLLs on the path) as .ci/windows.sh does.
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
    find_program(QUILLON_WINE64 NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
    if(QUILLON_WINE64)
        get_filename_component(QUILLON_WINE_RUN ${CMAKE_CURRENT_LIST_DIR}/../.ci/wine-run.sh
                               ABSOLUTE)
        set(CMAKE_CROSSCOMPILING_EMULATOR ${QUILLON_WINE_RUN})
    endif()
endif()
