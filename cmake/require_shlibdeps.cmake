# Run by cpack before it makes the package: without dpkg-shlibdeps CPack
# would only print a note and make a package that depends on nothing, which
# apt installs without the Qt libraries. Such a package is not made.
find_program(TQ_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(NOT TQ_DPKG_SHLIBDEPS)
  message(FATAL_ERROR "The package's dependencies are found by dpkg-shlibdeps, which is missing: "
                      "install dpkg-dev (sudo apt install dpkg-dev) and make the package again.")
endif()
