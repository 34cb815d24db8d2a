# What `cmake --install` puts under the prefix and what the Debian package carries (with the
# prefix /usr, which the unit's paths assume): the application, its systemd service, the set-up
# of /config and of the backlight, and the package's documents. The stand-in platform under
# platform/ installs nothing: the board brings its own modules.
include(GNUInstallDirs)

set(cs_packaging "${CMAKE_SOURCE_DIR}/packaging")
# Debian keeps system units under /lib (merged into /usr on current systems).
set(CS_SYSTEMD_UNIT_DIR "lib/systemd/system" CACHE STRING
    "Where the systemd unit is installed, relative to the prefix unless absolute")
install(FILES "${cs_packaging}/controllerselect.service" DESTINATION "${CS_SYSTEMD_UNIT_DIR}")
# The unit names it by its packaged path, /usr/lib/controllerselect/restart-delay.
install(PROGRAMS "${cs_packaging}/restart-delay" DESTINATION "lib/controllerselect")
# /config for the service's user, applied by the maintainer scripts and at every boot.
install(FILES "${cs_packaging}/tmpfiles.conf" DESTINATION "lib/tmpfiles.d"
    RENAME controllerselect.conf)
# The backlight's files for the group video, and the link the unit opens them through.
install(FILES "${cs_packaging}/controllerselect-backlight.rules" DESTINATION "lib/udev/rules.d"
    RENAME 70-controllerselect-backlight.rules)

set(cs_docdir "${CMAKE_INSTALL_DATAROOTDIR}/doc/controllerselect")
install(FILES "${cs_packaging}/copyright" DESTINATION "${cs_docdir}")
# Debian wants the changelog and the manual page compressed, reproducibly (no name, no time).
find_program(CS_GZIP gzip REQUIRED)
set(cs_changelog_gz "${CMAKE_BINARY_DIR}/generated/changelog.gz")
set(cs_manpage_gz "${CMAKE_BINARY_DIR}/generated/controllerselect.1.gz")
add_custom_command(OUTPUT "${cs_changelog_gz}"
    COMMAND "${CS_GZIP}" -9nc "${cs_packaging}/changelog" > "${cs_changelog_gz}"
    DEPENDS "${cs_packaging}/changelog" VERBATIM)
add_custom_command(OUTPUT "${cs_manpage_gz}"
    COMMAND "${CS_GZIP}" -9nc "${cs_packaging}/controllerselect.1" > "${cs_manpage_gz}"
    DEPENDS "${cs_packaging}/controllerselect.1" VERBATIM)
add_custom_target(cs_package_docs ALL DEPENDS "${cs_changelog_gz}" "${cs_manpage_gz}")
install(FILES "${cs_changelog_gz}" DESTINATION "${cs_docdir}")
install(FILES "${cs_manpage_gz}" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")

# --- Debian package (cpack -G DEB in the build folder, or `make package` at the top) ----------
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(aarch64|arm64)$")
    set(cs_deb_arch arm64)
elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64)$")
    set(cs_deb_arch amd64)
else()
    set(cs_deb_arch "${CMAKE_SYSTEM_PROCESSOR}")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME controllerselect)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "controllerselect developers <controllerselect@example.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "controller selection and web interface for the wall display")
set(CPACK_PACKAGE_DESCRIPTION
    "The full-screen application of the wall-mounted touch display: it finds\n"
    "the automation controllers on the display's networks, shows the chosen\n"
    "controller's web interface and has pages for the display's Ethernet, Wi-Fi\n"
    "and screen time-out. A systemd service starts it at boot. The display's\n"
    "platform modules come with the board.")
string(CONCAT CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}/dist")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE "${cs_deb_arch}")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The linked Qt libraries come from dpkg-shlibdeps; what is loaded at run time is listed here:
# the QML modules the UI imports, the SVG image plug-in and the systemd helpers the
# maintainer scripts call. Lato is compiled in, so fonts-lato is not needed.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qml-module-qtquick2, qml-module-qtquick-window2, qml-module-qtquick-controls2, \
qml-module-qtquick-templates2, qml-module-qtquick-layouts, qml-module-qtquick-dialogs, \
qml-module-qtqml, qml-module-qtgraphicaleffects, qml-module-qtwebengine, libqt5svg5, \
init-system-helpers (>= 1.52), passwd")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    "${cs_packaging}/postinst;${cs_packaging}/prerm;${cs_packaging}/postrm")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
