# The one version of the programs, the manual pages and the package: the top
# entry of debian/changelog. A build from a git checkout that has commits
# past the one that set that entry adds "+gitN.HASH" (".dirty" for changes
# not committed), so that apt takes every later build as newer. The Debian
# build passes -DTQ_VERSION_FROM_GIT=OFF: there the changelog alone speaks.
#
# Sets TQ_VERSION ("1.1", "1.1+git3.g1a2b3c4"), TQ_VERSION_NUMBER (the
# numeric part, for project()), TQ_RELEASE_DATE (YYYY-MM-DD: the changelog
# entry's date, or the last commit's) and TQ_RELEASE_EPOCH (that moment in
# seconds since 1970, as SOURCE_DATE_EPOCH; empty without dpkg-dev or git).
option(TQ_VERSION_FROM_GIT "Add the commits past the changelog's version to the version" ON)

set(tq_changelog ${CMAKE_CURRENT_LIST_DIR}/../debian/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${tq_changelog})
file(STRINGS ${tq_changelog} tq_heading LIMIT_COUNT 1)
if(NOT tq_heading MATCHES "^tq305-clonedesk \\((([0-9]+(\\.[0-9]+)*)[^)]*)\\)")
  message(FATAL_ERROR "debian/changelog does not start with the package's version: ${tq_heading}")
endif()
set(TQ_VERSION ${CMAKE_MATCH_1})
set(TQ_VERSION_NUMBER ${CMAKE_MATCH_2})

# The entry's date: " -- Name <address>  Tue, 08 Dec 2026 12:00:00 +0000".
file(STRINGS ${tq_changelog} tq_trailer REGEX "^ -- " LIMIT_COUNT 1)
if(NOT tq_trailer MATCHES ", ([0-9]+) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
  message(FATAL_ERROR "debian/changelog's first entry has no date: ${tq_trailer}")
endif()
set(tq_year ${CMAKE_MATCH_3}) # before any other regular expression overwrites the matches
set(tq_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND tq_months ${CMAKE_MATCH_2} tq_month)
math(EXPR tq_month "${tq_month} + 1")
string(REGEX REPLACE "^0" "" tq_day ${CMAKE_MATCH_1})
foreach(part tq_month tq_day)
  if(${part} LESS 10)
    set(${part} 0${${part}})
  endif()
endforeach()
set(TQ_RELEASE_DATE ${tq_year}-${tq_month}-${tq_day})
find_program(TQ_DPKG_PARSECHANGELOG dpkg-parsechangelog)
set(TQ_RELEASE_EPOCH "")
if(TQ_DPKG_PARSECHANGELOG)
  execute_process(COMMAND ${TQ_DPKG_PARSECHANGELOG} -l ${tq_changelog} -STimestamp
                  OUTPUT_VARIABLE TQ_RELEASE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE)
endif()

find_program(TQ_GIT git)
if(TQ_VERSION_FROM_GIT AND TQ_GIT)
  set(tq_git ${TQ_GIT} -C ${CMAKE_CURRENT_LIST_DIR}/..)
  execute_process(COMMAND ${tq_git} rev-parse --absolute-git-dir
                  OUTPUT_VARIABLE tq_git_dir OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE tq_not_git ERROR_QUIET)
endif()
if(TQ_VERSION_FROM_GIT AND TQ_GIT AND tq_not_git EQUAL 0)
  # A commit, a checkout or a reset configures again.
  execute_process(COMMAND ${tq_git} rev-parse --git-path logs/HEAD
                  OUTPUT_VARIABLE tq_head_log OUTPUT_STRIP_TRAILING_WHITESPACE)
  get_filename_component(tq_head_log ${tq_head_log} ABSOLUTE
                         BASE_DIR ${CMAKE_CURRENT_LIST_DIR}/..)
  if(EXISTS ${tq_head_log})
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${tq_head_log})
  endif()
  execute_process(COMMAND ${tq_git} log -1 --format=%H -- debian/changelog
                  OUTPUT_VARIABLE tq_base OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(tq_base)
    set(tq_range ${tq_base}..HEAD)
  else()
    set(tq_range HEAD)
  endif()
  execute_process(COMMAND ${tq_git} rev-list --count ${tq_range}
                  OUTPUT_VARIABLE tq_commits OUTPUT_STRIP_TRAILING_WHITESPACE)
  execute_process(COMMAND ${tq_git} diff --quiet HEAD -- RESULT_VARIABLE tq_dirty)
  if(tq_commits GREATER 0 OR NOT tq_dirty EQUAL 0)
    execute_process(COMMAND ${tq_git} log -1 --format=%h%n%cs%n%ct
                    OUTPUT_VARIABLE tq_head OUTPUT_STRIP_TRAILING_WHITESPACE)
    string(REPLACE "\n" ";" tq_head "${tq_head}")
    list(GET tq_head 0 tq_hash)
    list(GET tq_head 1 TQ_RELEASE_DATE)
    list(GET tq_head 2 TQ_RELEASE_EPOCH)
    string(APPEND TQ_VERSION "+git${tq_commits}.g${tq_hash}")
    if(NOT tq_dirty EQUAL 0)
      string(APPEND TQ_VERSION ".dirty")
    endif()
  endif()
endif()
if(NOT TQ_RELEASE_DATE MATCHES "^[0-9][0-9][0-9][0-9]-[01][0-9]-[0-3][0-9]$")
  message(FATAL_ERROR "The version's date is not a date: '${TQ_RELEASE_DATE}'")
endif()
