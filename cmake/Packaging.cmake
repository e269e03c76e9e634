# The Debian package (make deb): the release build, stripped, under /usr,
# with its run-time dependencies read off the binaries by dpkg-shlibdeps.
include(GNUInstallDirs)

option(TARVEL_DEB "Install what a Debian package holds beyond make install" OFF)
if(TARVEL_DEB)
  set(debian ${PROJECT_SOURCE_DIR}/packaging/debian)
  configure_file(${debian}/changelog.in ${PROJECT_BINARY_DIR}/debian/changelog @ONLY)
  # The licence's terms as the copyright format wants them: indented, with
  # "." for a blank line.
  file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
  string(REGEX REPLACE "^.*\n(Permission)" "\\1" licence "${licence}")
  string(STRIP "${licence}" licence)
  string(REPLACE "\n\n" "\n.\n" licence "${licence}")
  string(REPLACE "\n" "\n " TARVEL_LICENSE_BODY " ${licence}")
  configure_file(${debian}/copyright.in ${PROJECT_BINARY_DIR}/debian/copyright @ONLY)
  add_custom_command(
    OUTPUT ${PROJECT_BINARY_DIR}/debian/changelog.gz
    COMMAND sh -c "gzip -9nc \"$1\" > \"$1.gz\"" gzip ${PROJECT_BINARY_DIR}/debian/changelog
    DEPENDS ${PROJECT_BINARY_DIR}/debian/changelog VERBATIM)
  add_custom_target(tarvel_debian_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/debian/changelog.gz)
  install(FILES ${PROJECT_BINARY_DIR}/debian/copyright ${PROJECT_BINARY_DIR}/debian/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tarvel)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tarvel developers")
set(CPACK_PACKAGE_CONTACT "The Tarvel developers <tarvel@users.noreply.github.com>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its X11 and Wayland back ends as plug-ins, which no library
# dependency names: the X11 one is in qt6-qpa-plugins; the Wayland one, in
# qt6-wayland, is recommended (without it a Wayland desktop shows the dialog
# through XWayland).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
# The summary line is the project's description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Tarvel reads hexadecimal bytes written most significant byte first and
shows the IEEE 754 value they encode, as a 32-bit float or a 64-bit
double. It also converts a pressure in kilopascals to psi, or to metres
of seawater head (14.50377 psi is 1 bar; 0.68525 m/psi is seawater at
1026 kg/m3).
.
The package holds the dialog, tarvel, and tarvel-cli, the same
conversions for scripts, with byte orders, more formats, 16-bit floats,
encoding, pressure units and depth models.")
include(CPack)
