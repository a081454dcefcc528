# The Debian package: `cpack -G DEB` in a build folder (scripts/build-deb.sh does it all).
# Its libraries come from dpkg-shlibdeps; the Qt platform plugins are loaded at run time,
# so no library names them and they are listed by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mqx-controller)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The MQX-T410 Controller developers")
set(CPACK_PACKAGE_CONTACT "The MQX-T410 Controller developers <mqx-controller@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "controller and editor for MQX-T410 audio processors")
set(CPACK_PACKAGE_DESCRIPTION
    "The MQX-T410 Controller edits the signal chain of MQX-T410 digital audio
processors live over an RS-232 line, shows EQ and crossover responses and the
unit's meters, manages the programs stored in a unit and keeps programs in
files. It ships mqxtool, a command-line tool for program files and units, and
mqx-sim, simulated units on a pseudo-terminal.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
