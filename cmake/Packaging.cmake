# The Debian package (cpack -G DEB, run by scripts/package): everything the
# install rules put under the prefix, placed under /usr. The library
# dependencies are found by dpkg-shlibdeps; the fonts the drawings name and
# the tools the desktop needs to open the help are added by hand.
set(CPACK_PACKAGE_NAME plicora-viewer)
set(CPACK_PACKAGE_VENDOR "Plicora Viewer developers")
set(CPACK_PACKAGE_CONTACT "Plicora Viewer developers <maintainers@users.noreply.c-seed-301479d9.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer for papercraft work files")
set(CPACK_PACKAGE_DESCRIPTION
    "Plicora Viewer opens papercraft work files (.plc) and shows the 3D model beside its development, \
the flat pattern of the parts on paper sheets. It prints the pages, exports the development \
(EPS, SVG, PDF, EMF, BMP, PNG), and makes thumbnails of work files for file managers.")
set(CPACK_PACKAGE_HOMEPAGE_URL "${PLICORA_HOMEPAGE}")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2 | fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, fonts-ipafont-gothic, shared-mime-info, desktop-file-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_GENERATOR DEB)
include(CPack)
