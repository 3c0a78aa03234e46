# The Debian package, velmora_VERSION_amd64.deb, from the install rules:
# scripts/package builds it (cpack in the build folder).
set(VELMORA_MAINTAINER "Velmora developers <developers@velmora.org>"
  CACHE STRING "Maintainer of the package: name <address>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "The Velmora developers")
set(CPACK_PACKAGE_CONTACT "${VELMORA_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turn copied library records into catalogue records")
# Lines of at most 80 characters, as dpkg shows them; "." is an empty line.
set(CPACK_PACKAGE_DESCRIPTION [[
Velmora helps library cataloguers in Vietnam who copy bibliographic (MARC)
records from one library system into the OpenBiblio catalogue. It rewrites
a record copied from Libol, LacViet, Verbrary, iLib or Emiclib into one
normalised record, ready to paste.
.
The package holds the window, velmora, which sits at the corner of the
screen and works through the clipboard, and the command velmora-convert,
which does the same conversions on files and batches, converts text between
Vietnamese character sets, and writes standard MARC (ISO 2709, MARCXML,
MarcEdit) for importing into a catalogue.]])
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Shared libraries through dpkg-shlibdeps; Qt's platform plugins (the window
# cannot open without them) and Arial's metric twin, for the window's fonts,
# by name.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
install(FILES ${PROJECT_SOURCE_DIR}/data/debian/lintian-overrides
  DESTINATION share/lintian/overrides RENAME velmora)

include(CPack)
