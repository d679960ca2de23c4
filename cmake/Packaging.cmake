# The Debian package: cpack -G DEB in the release build (tools/package).
set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VENDOR "The Quorvel developers")
set(CPACK_PACKAGE_CONTACT "The Quorvel developers <maintainers@quorvel.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "finds where a game scenario uses its flags, items, coupons and links")
set(CPACK_PACKAGE_DESCRIPTION "Quorvel reads the data files of a scenario for a card-based role-playing
game engine and tells its author where each flag, step, coupon, gossip,
item, skill, information card, summoned beast, package, area, battle or
sound is used, where the links of a file lead, which links point nowhere,
which branches are malformed and which dialogues miss a coupon condition.
It never writes the scenario files. quorvel-cli runs the same commands
without a window.")
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window draws its SVG icon through the SVG plugins, which no binary
# links; libarchive is loaded when an archive is first read, expat when an
# XML file is first parsed.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, libarchive13 (>= 3.6.0), libexpat1 (>= 2.5.0)")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-noto-cjk")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)

# The copyright file of the package, in Debian's machine-readable form,
# holding the text of LICENSE.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE QUORVEL_LICENSE_TEXT)
string(FIND "${QUORVEL_LICENSE_TEXT}" "Permission is hereby granted" QUORVEL_LICENSE_START)
string(SUBSTRING "${QUORVEL_LICENSE_TEXT}" ${QUORVEL_LICENSE_START} -1 QUORVEL_LICENSE_BODY)
string(REGEX REPLACE "\n\n" "\n.\n" QUORVEL_LICENSE_BODY "${QUORVEL_LICENSE_BODY}")
string(REGEX REPLACE "\n([^.\n])" "\n \\1" QUORVEL_LICENSE_BODY "${QUORVEL_LICENSE_BODY}")
string(REGEX REPLACE "\n.\n" "\n .\n" QUORVEL_LICENSE_BODY "${QUORVEL_LICENSE_BODY}")
file(WRITE ${PROJECT_BINARY_DIR}/copyright
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Quorvel

Files: *
Copyright: 2026 The Quorvel authors
License: Expat
 ${QUORVEL_LICENSE_BODY}")
install(FILES ${PROJECT_BINARY_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quorvel)

include(CPack)
