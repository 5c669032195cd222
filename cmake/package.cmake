# The Debian package: in a Release build, `cpack -G DEB` makes
# tq305-clonedesk_<version>_amd64.deb from the install rules, its
# dependencies found by dpkg-shlibdeps from the libraries the programs link.
include(GNUInstallDirs)
find_program(TQ_GZIP gzip REQUIRED)

# This version's release, as the changelog and software centres tell it.
set(TQ_RELEASE_DATE 2026-12-07)
set(TQ_PACKAGE_MAINTAINER "TQ-305 CloneDesk developers <clonedesk@tq305-clonedesk.example>"
    CACHE STRING "The Debian package's maintainer, as name <address>")

# The release date as a Debian changelog writes it: "Mon, 07 Dec 2026 ...".
function(tq_rfc2822_date iso out)
  string(REGEX MATCH "^([0-9]+)-0?([0-9]+)-0?([0-9]+)$" matched ${iso})
  set(year ${CMAKE_MATCH_1})
  set(month ${CMAKE_MATCH_2})
  set(day ${CMAKE_MATCH_3})
  # Zeller's congruence, January and February counted as months of the year before.
  if(month LESS 3)
    math(EXPR m "${month} + 12")
    math(EXPR y "${year} - 1")
  else()
    set(m ${month})
    set(y ${year})
  endif()
  math(EXPR weekday "(${day} + (13 * (${m} + 1)) / 5 + ${y} + ${y} / 4 - ${y} / 100 + ${y} / 400) % 7")
  set(names Sat Sun Mon Tue Wed Thu Fri)
  list(GET names ${weekday} name)
  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  math(EXPR index "${month} - 1")
  list(GET months ${index} monthName)
  if(day LESS 10)
    set(day 0${day})
  endif()
  set(${out} "${name}, ${day} ${monthName} ${year} 12:00:00 +0000" PARENT_SCOPE)
endfunction()
tq_rfc2822_date(${TQ_RELEASE_DATE} TQ_RELEASE_DATE_RFC2822)

# What Debian asks of every package besides its programs: the copyright and
# the changelog, gzip'd without a time stamp.
set(TQ_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tq305-clonedesk)
configure_file(data/package/changelog.in ${CMAKE_BINARY_DIR}/package/changelog @ONLY)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/package/changelog.gz
  COMMAND ${TQ_GZIP} -9nkf ${CMAKE_BINARY_DIR}/package/changelog
  DEPENDS ${CMAKE_BINARY_DIR}/package/changelog
  VERBATIM)
add_custom_target(package-changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/package/changelog.gz)
install(FILES data/package/copyright ${CMAKE_BINARY_DIR}/package/changelog.gz
        DESTINATION ${TQ_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tq305-clonedesk)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
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
# The Chinese windows and printouts need a CJK font, which no library pulls in.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-wqy-microhei)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
