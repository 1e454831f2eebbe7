# The Debian package a shop installs: `cpack -G DEB` in the build folder
# (scripts/numora.sh package) makes numora_VERSION_ARCH.deb of what
# `cmake --install` puts in place, under /usr.
set(CPACK_GENERATOR DEB)
# The package takes what the build made; making it builds nothing more (the
# tests and benchmarks are not in it).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CPACK_PACKAGE_NAME numora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Numora developers")
set(CPACK_PACKAGE_CONTACT "The Numora developers <numora@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "numbers receipt books, tickets and pre-printed forms")
set(CPACK_PACKAGE_DESCRIPTION
    "Numora prints the numbers on pre-printed forms: a page layout carries up to\n"
    "twelve numbers, each placed, written and styled as the form needs, printed\n"
    "in one of eight orders. After every run the numbering moves on, and a\n"
    "journal of runs guards against printing a number twice, also across\n"
    "workstations sharing one PostgreSQL database.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${NUMORA_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries the program links, found by dpkg-shlibdeps; then what it
# loads only at run time: Qt's SQLite driver (the journal), its X11 platform
# plug-in, and the fonts the windows ask for by name, Arabic included. The
# PostgreSQL driver serves only a journal shared by workstations.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6sql6-sqlite, qt6-qpa-plugins, fonts-dejavu-core, fonts-liberation2, fonts-freefont-ttf, fonts-noto-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libqt6sql6-psql, cups-client")

include(CPack)
