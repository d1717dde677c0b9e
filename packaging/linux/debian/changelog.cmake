# Run by cpack after staging the files and before building the package
# (CPACK_PRE_BUILD_SCRIPTS): writes the Debian changelog, which names the maintainer, into the
# package's documentation directory, compressed as Debian wants it (gzip -9n).
if(NOT CPACK_GENERATOR STREQUAL "DEB")
    return()
endif()
set(doc "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/share/doc/quillon")
if(NOT IS_DIRECTORY "${doc}")
    message(FATAL_ERROR "The staged package has no ${doc}")
endif()
configure_file("${CMAKE_CURRENT_LIST_DIR}/changelog.in" "${doc}/changelog.Debian" @ONLY)
execute_process(COMMAND gzip -9nf "${doc}/changelog.Debian" RESULT_VARIABLE gzipped)
if(NOT gzipped EQUAL 0)
    message(FATAL_ERROR "gzip failed on ${doc}/changelog.Debian")
endif()
file(CHMOD "${doc}/changelog.Debian.gz" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
