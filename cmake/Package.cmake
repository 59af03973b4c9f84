# The Debian package, made by "cpack -G DEB" in a build folder: tesserine_1.0.0_amd64.deb
# with what the install rules put under /usr. Its dependencies come from the libraries the
# program links (dpkg-shlibdeps); what a backend runs or loads at run time is recommended.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tesserine)
set(CPACK_PACKAGE_VERSION 1.0.0)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "changes the desktop wallpaper on a schedule")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tesserine developers <developers@tesserine.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGE_DESCRIPTION "Tesserine keeps a list of images (BMP, JPEG, GIF, PNG, WebP), gives each a
display method (tile, center, stretch, or one of four layouts it composes
itself) and changes the wallpaper in sequential, random or random-cycle
order. It has a properties window, an agent with a tray icon, and a command
line and D-Bus interface for keyboard shortcuts and scripts. It works with
GNOME, Cinnamon, MATE, KDE Plasma, Xfce, any X window manager, and sway and
other Wayland compositors with the layer shell, where a small background
program of its own draws the wallpaper. Changes fade where it draws the
wallpaper itself.")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The native Wayland window; swaybg stays a choice for Wayland compositors
# (TESSERINE_DESKTOP=swaybg).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "swaybg")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
