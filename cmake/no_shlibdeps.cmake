# Run by cpack when configuring found no dpkg-shlibdeps: a package whose
# dependencies cannot be computed is not made.
message(FATAL_ERROR "The package's dependencies are found by dpkg-shlibdeps, which is missing: "
                    "install dpkg-dev and configure the build again.")
