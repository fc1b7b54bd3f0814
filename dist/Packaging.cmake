# The Debian package of the installed tree (scripts/package runs cpack). Its dependencies are the
# runtime packages of the libraries the programs link, as dpkg-shlibdeps (dpkg-dev) finds them; Qt's
# platform plugins come with libqt6gui6, which that list holds anyway.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pexora)
set(CPACK_PACKAGE_VENDOR Korvane)
set(CPACK_PACKAGE_CONTACT "Korvane <pexora@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Viewer for triangle-mesh surface models of micro-CT specimens")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Viewer for triangle-mesh surface models of micro-CT specimens
 Pexora loads .p3g, .ctm and .stl surface models of scanned specimens, lights them, cuts
 them by a plate and closes the cuts with caps, records keyframe flights and saves scenes
 and images. pexora-cli reads, welds and cuts models without a window.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.example.org/pexora")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
