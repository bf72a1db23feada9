# The Debian package of what cmake/install.cmake installs: cpack -G DEB.
set(CPACK_PACKAGE_NAME vellumar)
set(CPACK_PACKAGE_VENDOR "The Vellumar developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small desktop generator of random passwords")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Vellumar makes random passwords from the kinds of characters you tick\n"
    "(upper-case letters, lower-case letters, digits, special characters) and\n"
    "the length you type, and copies them to the clipboard. A second window\n"
    "makes a list of passwords with the same settings and saves it to a text\n"
    "file. A help file and an HTML guide come with it.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://vellumar.example/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Vellumar developers <maintainers@vellumar.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xchm | kchmviewer, hardinfo")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
