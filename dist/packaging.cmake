# The Debian package: `cpack -G DEB` in the build folder writes
# igcedit_<version>_<arch>.deb from the install rules.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_CONTACT "igcedit developers <igcedit@example.org>"
    CACHE STRING "Maintainer named in the package")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "ignition-advance curve editor and module programmer")
set(CPACK_PACKAGE_DESCRIPTION [[
Edits the ignition-advance curve of an engine ignition module (60 rows of
engine speed, advance and inhibit pattern) with the module parameters that
travel with it, shows the curve as loaded and as edited on a chart, and
programs the module over a serial line. The interface speaks Hungarian and
English.]])
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window asks for a font with Arial's widths.
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation)

include(CPack)
