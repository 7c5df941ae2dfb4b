# `make package`: a Debian package of everything the install rules put under the prefix.
# dpkg-shlibdeps (from dpkg-dev) works out the library dependencies from the binaries.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME walk-converter)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Converts ship walking paths between walk and sailorpoints files")
# The lines of the long description, as Debian wants them: short, one per line.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "A small desktop tool, walk-converter, and a command-line tool, walkconv,\n"
    "that convert the walking-path data of one ship model between a C source\n"
    "walk file (<model>_walk.c) and an INI-style sailorpoints file\n"
    "(<model>1.ini), in both directions.")
set(CPACK_PACKAGE_CONTACT "Seed feb9d6d5 maintainers <maintainers@users.noreply.c-seed-feb9d6d5.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

include(CPack)
