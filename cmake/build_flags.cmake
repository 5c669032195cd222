# A Release build makes what the package ships: it compiles and links with
# the flags dpkg-buildflags gives a Debian package, every hardening feature
# on (fortified functions, stack protector, PIE, full RELRO and bind-now),
# and stack clash and control flow protection besides, which Debian 12's
# dpkg does not add yet. -DTQ_DPKG_BUILDFLAGS=OFF keeps CMake's own flags.
# The Debian build turns it off: debhelper hands CMake the same flags of
# dpkg-buildflags already (debian/rules), and they are given once.
if(CMAKE_BUILD_TYPE STREQUAL "Release")
  set(tq_package_build ON)
else()
  set(tq_package_build OFF)
endif()
option(TQ_DPKG_BUILDFLAGS "Release builds take dpkg-buildflags' flags, hardening=+all"
       ${tq_package_build})

if(TQ_DPKG_BUILDFLAGS)
  find_program(TQ_DPKG_BUILDFLAGS_PROGRAM dpkg-buildflags)
  if(NOT TQ_DPKG_BUILDFLAGS_PROGRAM)
    message(FATAL_ERROR "A Release build takes its compiler flags from dpkg-buildflags, which "
                        "is missing: install dpkg-dev (or configure with "
                        "-DTQ_DPKG_BUILDFLAGS=OFF for CMake's own flags).")
  endif()
  set(tq_flags)
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
              "DEB_CXXFLAGS_MAINT_APPEND=-fstack-clash-protection -fcf-protection"
              ${TQ_DPKG_BUILDFLAGS_PROGRAM} --get ${kind}
      OUTPUT_VARIABLE tq_${kind} OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY
      WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
  endforeach()
  # The optimisation is dpkg-buildflags' (-O2) in place of Release's -O3.
  set(CMAKE_CXX_FLAGS_RELEASE "${tq_CPPFLAGS} ${tq_CXXFLAGS} -DNDEBUG")
  set(CMAKE_EXE_LINKER_FLAGS_RELEASE "${tq_LDFLAGS}")
  set(CMAKE_SHARED_LINKER_FLAGS_RELEASE "${tq_LDFLAGS}")
  message(STATUS "Release flags from dpkg-buildflags: ${CMAKE_CXX_FLAGS_RELEASE} | ${tq_LDFLAGS}")
endif()
