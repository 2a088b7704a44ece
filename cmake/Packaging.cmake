# The Debian package of wMorv: `cpack -G DEB` in a build tree packs what
# `cmake --install` puts in place (the executable, its desktop entry and its
# icon) under /usr.
#
# The dependencies are read off the executable by dpkg-shlibdeps (dpkg-dev),
# so they follow whatever the build links: Qt 6 Widgets/Gui/Core, libpq,
# OpenSSL's libcrypto, zlib, minizip and the C++ run time. Qt's X11 and
# offscreen platform plugins come with libqt6gui6.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME wmorv)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "wMorv")
set(CPACK_PACKAGE_CONTACT "wMorv maintainers <wmorv@morv-demo.ro>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Analytic account sheet of company accounts kept on PostgreSQL")
set(CPACK_PACKAGE_DESCRIPTION
  "wMorv signs an operator in to a company's accounting database, found
through a directory database, and shows the analytic account sheet of a
synthetic account for a period of whole months: every movement with running
balances, turnovers, partners and operators, in a grid that sorts, filters,
groups and exports to an .xlsx workbook.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The workbook writer calls zlib itself (deflate, CRC-32), whether or not the
# linker records libz beside minizip.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "zlib1g (>= 1:1.2.13)")
# A face with the widths of the windows' design fonts, so captions fit.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2")

include(CPack)
