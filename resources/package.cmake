# The Debian package: `cpack -G DEB` in the build folder (scripts/package).
# Its library dependencies come from the programs' own links through
# dpkg-shlibdeps; what Qt loads at run time as plugins, and the fonts for the
# Chinese texts, are named by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${VANTREL_DATA_NAME})
set(CPACK_PACKAGE_VENDOR "Vantrel")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "photo slideshow with 172 transition effects")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "A borderless window shows a pictured tablet whose screen plays the photos of a folder one after another, "
       "every change animated by one of 172 numbered transition effects. Includes vantrel-render, which writes "
       "the frames of one transition as PNG files.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Vantrel developers")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# A font with Chinese glyphs is a dependency, not a recommendation: the texts
# are Chinese under Chinese and C locales, and `dpkg -i` followed by
# `apt-get -f install` brings no recommended packages; without such a font the
# texts show as boxes.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-image-formats-plugins, xdg-utils, fonts-wqy-microhei | fonts-noto-cjk")
# Without the Wayland plugin Qt falls back to X11 through Xwayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
include(CPack)
