# Tools that make a developer's builds faster without changing what they
# make: a compiler cache and lld. Each is taken where the machine has it,
# unless its option is off. A distribution's build turns both off
# (debian/rules), so that its result never depends on a tool its build
# dependencies do not name.

# A compiler cache: a fresh build directory or a switch of branches compiles
# only what is new to the cache. Compiles with a precompiled header are
# cached only with these relaxations, so a plain `ccache` given as the
# launcher gets them too. In depend mode ccache takes a source's headers from
# the compiler's own dependency list, so that a miss (every compile of a
# first build) costs little more than compiling without it; otherwise each
# miss preprocesses the source once more. Its inode cache hashes each header
# (the precompiled ones are large) once, not once per compile.
option(TQ_USE_CCACHE "Compile through ccache where it is installed" ON)
if(TQ_USE_CCACHE)
  find_program(TQ_CCACHE ccache)
  if(TQ_CCACHE AND (NOT CMAKE_CXX_COMPILER_LAUNCHER OR CMAKE_CXX_COMPILER_LAUNCHER MATCHES "ccache$"))
    set(CMAKE_CXX_COMPILER_LAUNCHER ${CMAKE_COMMAND} -E env
        CCACHE_SLOPPINESS=pch_defines,time_macros CCACHE_DEPEND=1 CCACHE_INODECACHE=1 ${TQ_CCACHE})
  endif()
endif()

# lld links the Qt programs in a fraction of the time and memory of ld.bfd.
option(TQ_USE_LLD "Link with lld where it is installed" ON)
if(TQ_USE_LLD)
  include(CheckLinkerFlag)
  check_linker_flag(CXX -fuse-ld=lld TQ_HAVE_LLD)
  if(TQ_HAVE_LLD)
    add_link_options(-fuse-ld=lld)
  endif()
endif()
