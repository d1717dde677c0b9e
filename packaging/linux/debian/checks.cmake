# Read by cpack before it packages (CPACK_PROJECT_CONFIG_FILE). The maintainer comes from the
# cache variable QUILLON_MAINTAINER, set when configuring or given to cpack as
# `-D QUILLON_MAINTAINER=...`; there is no default, because no address would be true.
if(QUILLON_MAINTAINER)
    set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QUILLON_MAINTAINER}")
endif()
if(CPACK_GENERATOR STREQUAL "DEB" AND NOT CPACK_DEBIAN_PACKAGE_MAINTAINER)
    message(FATAL_ERROR
        "The Debian package needs a maintainer: configure with "
        "-DQUILLON_MAINTAINER=\"Full Name <address>\" (or pass "
        "-D QUILLON_MAINTAINER=\"Full Name <address>\" to cpack).")
endif()
