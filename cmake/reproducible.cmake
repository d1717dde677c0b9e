# The same source gives the same bytes wherever it is checked out and built: the source and the
# build folders are written into objects (debug information, __FILE__, assertions) as "." and
# "build", not as the absolute paths of this machine. With the build date taken from
# SOURCE_DATE_EPOCH (which Qt's resource compiler and CPack read from the environment; see
# .ci/release.sh), two builds of one commit give byte-identical programs and packages.
# The build folder is named last: inside the source folder, it is the longer match, and the
# compilers try the last map first.
if(NOT MSVC)
    add_compile_options("-ffile-prefix-map=${PROJECT_SOURCE_DIR}=."
                        "-ffile-prefix-map=${PROJECT_BINARY_DIR}=build")
endif()
