# The Debian package of the studio: `cpack -G DEB` (scripts/package) packs
# what the install rules put under /usr. The studio finds libVyEdit through
# its RUNPATH and every program its shipped data from its own folder, so the
# package needs no scripts beyond the ldconfig call cpack adds for the library.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vylcd-studio)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "VYLCD Studio developers")
set(CPACK_PACKAGE_CONTACT "VYLCD Studio developers <dev@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "screen designer for a 320x240 serial graphic LCD module")
set(CPACK_PACKAGE_DESCRIPTION
    "Draws lines, boxes, ellipses, texts and bitmaps on a canvas at the LCD's real
proportions, mirrors the drawing live on the module over a serial line, keeps
projects and templates, and turns the drawing into program source for a
microcontroller. Includes vylcd-cli (LCD commands, source and pictures of a
drawing without a display) and vylcd-lcdsim (a simulated module on a
pseudo-terminal).")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The linked libraries (Qt 6, the C++ runtime) come from dpkg-shlibdeps, which
# finds libVyEdit, the package's own, through the RUNPATH.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What is loaded at run time without being linked: Qt's platform and picture
# plugins and its Korean texts, the canvas's fonts (Hangul, Arial's stand-in
# and the fallbacks) and the virtual module's glyphs.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, qt6-image-formats-plugins, qt6-translations-l10n, fonts-nanum, fonts-unfonts-core, fonts-liberation2, fonts-dejavu-core, unifont")
# Wayland sessions and the manual's viewer.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, xdg-utils")

include(CPack)
