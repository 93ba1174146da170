# The Debian package, made by `cpack -G DEB` in a release build (scripts/package): the install
# tree under /usr, its run-time dependencies worked out by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorix)
set(CPACK_PACKAGE_CONTACT "Quorix developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "manage the phonebook and datebook of an old Motorola P2K phone")
set(CPACK_PACKAGE_DESCRIPTION "Quorix reads the phonebook and the datebook of a Motorola P2K phone \
(E398, V3, C650 and their kin) over a serial, USB modem or Bluetooth serial port, shows and edits \
the phonebook, writes the changes back, and saves and restores both as backup files. quorix-cli \
does the readings, backups and restores from scripts; quorix-phone-emulator plays a phone for \
trying Quorix without one.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
