# The Debian package: `cpack -G DEB` in a Release build (scripts/package.sh)
# writes vantrell-ticket_<version>_<arch>.deb.

set(CPACK_PACKAGE_NAME ${TICKET_PROGRAM_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Vantrell")
set(CPACK_PACKAGE_CONTACT "${TICKET_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "fill in, preview and print delivery tickets")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_NAME ${TICKET_PROGRAM_NAME})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TICKET_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the two programs link come from dpkg-shlibdeps; the ticket's
# fixed-pitch face is a font the program asks for by name.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
# CPack puts the summary above this and indents it as Debian's control file
# wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "A desktop program for print shops. It reads a job from the shop's
order-entry database (an Access 2000 file, opened read-only) and fills
in, previews and prints a one-page delivery ticket: sold-to and ship-to
blocks, job and quote numbers, purchase order, phone, date, and the
quantity, back-ordered quantity and description of each part.

Small editor windows keep the ticket's header block, the owner's record,
the top margin, the stock comment lines and the ticket date.")
# Folders as Debian expects them, whatever the builder's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

include(CPack)
