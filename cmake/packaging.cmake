# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package, built by CPack from the install rules (see
# scripts/package.sh). Its dependencies are computed from the binaries by
# dpkg-shlibdeps, not listed by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavrel)
set(CPACK_PACKAGE_VENDOR "The Tavrel developers")
set(CPACK_PACKAGE_CONTACT "${TAVREL_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "drive a video disk recorder as if standing at its front panel")
set(CPACK_PACKAGE_DESCRIPTION
    "Tavrel controls an XR-family or Pellet video disk recorder over Ethernet
(UDP) or a serial port with the Sony 9-pin command set. Its window is the
recorder's front panel: transport, jog and shuttle, the timecode display and
keypad, and the recorder's own menu; further pages keep its segments and
playlists, its files, its SCSI disks and its setup pages.

The simulated recorder tavrel-sim comes with it, for training and
demonstrations without a recorder.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Directories 0755 whatever the umask of the machine that builds.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${TAVREL_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
