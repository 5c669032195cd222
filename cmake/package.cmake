# The quick local Debian package: in a Release build, `cpack -G DEB` makes
# tq305-clonedesk_<version>_amd64.deb from the install rules, its
# dependencies found by dpkg-shlibdeps from the libraries the programs link.
# (debian/ builds the same package the Debian way.)
include(GNUInstallDirs)
find_program(TQ_GZIP gzip REQUIRED)

if(TQ_PACKAGE_MAINTAINER MATCHES "tq305-clonedesk\\.example>$") # an older build folder's placeholder
  unset(TQ_PACKAGE_MAINTAINER CACHE)
endif()
set(TQ_PACKAGE_MAINTAINER "TQ-305 CloneDesk developers <developers@tq305-clonedesk.org>"
    CACHE STRING "The Debian package's maintainer, as name <address>")

# What Debian asks of every package besides its programs: the copyright,
# the changelog gzip'd without a time stamp, and the notes on serial access.
# The Debian build's own helpers install these (-DTQ_INSTALL_PACKAGE_DOCS=OFF).
option(TQ_INSTALL_PACKAGE_DOCS "Install the package's copyright, changelog and README.Debian" ON)
if(TQ_INSTALL_PACKAGE_DOCS)
  set(TQ_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tq305-clonedesk)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/package/changelog.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/package
    COMMAND ${TQ_GZIP} -9nc ${PROJECT_SOURCE_DIR}/debian/changelog > ${CMAKE_BINARY_DIR}/package/changelog.gz
    DEPENDS ${PROJECT_SOURCE_DIR}/debian/changelog)
  add_custom_target(package-changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/package/changelog.gz)
  install(FILES debian/copyright debian/README.Debian ${CMAKE_BINARY_DIR}/package/changelog.gz
          DESTINATION ${TQ_DOC_DIR})
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tq305-clonedesk)
set(CPACK_PACKAGE_VERSION ${TQ_VERSION})
set(CPACK_PACKAGE_VENDOR "TQ-305 CloneDesk developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programming software for the TQ-305 handheld radio")
# The long description, in lines as short as Debian wants them.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Reads the memory of the TQ-305 handheld two-way radio over its programming\n"
  "cable, edits its 99 channels and radio-wide features, writes it back, keeps\n"
  "images as .dat files and prints them, in Chinese or English.\n"
  "\n"
  "Besides the program TQ305sys, the command-line tool tq305 reads and writes\n"
  "the radio, shows and prints data files and exchanges the channel table as\n"
  "CSV, and tq305-radio is a virtual radio on a pseudo-terminal.")
set(CPACK_PACKAGE_CONTACT ${TQ_PACKAGE_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TQ_MAKER_URL})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/require_shlibdeps.cmake)
# The same tree gives the same bytes: every time stamp in the package is the
# version's own, unless SOURCE_DATE_EPOCH names another.
if(TQ_RELEASE_EPOCH)
  set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/package/source_date.cmake)
  file(WRITE ${CPACK_PROJECT_CONFIG_FILE}
       "if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})\n"
       "  set(ENV{SOURCE_DATE_EPOCH} ${TQ_RELEASE_EPOCH})\n"
       "endif()\n")
endif()
# The Chinese windows and printouts need a CJK font, which no library pulls in.
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-wqy-microhei)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
