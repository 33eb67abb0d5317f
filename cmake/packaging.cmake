# `make package`: a Debian package of what `cmake --install` puts under
# /usr, made by CPack from the existing build (nothing is rebuilt).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME varnel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Varnel developers")
set(CPACK_PACKAGE_CONTACT "Varnel developers <varnel@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "documentation of C++ headers as HTML pages and XML files")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
# The build carries debugging information; the package does not need it.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# CPack puts the summary in front and indents the lines for the control
# file; an empty line becomes its " ." line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Varnel reads a C++ header with a pattern-based parser and writes one HTML
page and one XML file of its includes, global variables and functions,
classes, data members and methods. Descriptions written into the XML file
are merged back after the header changes, so the documentation survives.

The package holds the command line program varnel, for scripts and
builds (a whole library in one run, a coverage check, compiled help
books), and the windowed program varnel-gui.")
# The libraries the programs link (the wxWidgets runtime, the C++ library)
# are found by dpkg-shlibdeps, under the names this Debian release gives
# them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "fp-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
