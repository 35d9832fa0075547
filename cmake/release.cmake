# How veilux.exe and veilux.com are built for release with MinGW-w64: small, and the same
# bytes from any folder on any machine (tools/release/check-reproducible.sh checks it).

# The PE header's time stamp is the last commit's time, not the time of the
# build: SOURCE_DATE_EPOCH when it is set, else the commit's, else 0.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(VEILUX_BUILD_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
  execute_process(COMMAND git -C ${CMAKE_SOURCE_DIR} log -1 --format=%ct
                  OUTPUT_VARIABLE VEILUX_BUILD_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(NOT VEILUX_BUILD_EPOCH MATCHES "^[0-9]+$")
    set(VEILUX_BUILD_EPOCH 0)
  endif()
endif()

foreach(target veilux_core veilux_win veilux veilux_console)
  # Every function and datum in a section of its own, so that the linker can
  # leave out what nothing calls; and no folder of the build machine in any
  # object (source and build paths are mapped to relative ones).
  target_compile_options(${target} PRIVATE -ffunction-sections -fdata-sections
    -ffile-prefix-map=${CMAKE_SOURCE_DIR}/= -ffile-prefix-map=${CMAKE_BINARY_DIR}/=)
endforeach()

# Release: unreferenced sections dropped, symbols stripped (the .exe keeps no
# names of the build's files or functions), and GNU ld's time stamp taken
# from SOURCE_DATE_EPOCH.
foreach(target veilux veilux_console)
  target_link_options(${target} PRIVATE $<$<CONFIG:Release>:-Wl,--gc-sections -s>)
  set_target_properties(${target} PROPERTIES
    CXX_LINKER_LAUNCHER "${CMAKE_COMMAND};-E;env;SOURCE_DATE_EPOCH=${VEILUX_BUILD_EPOCH}")
endforeach()

# A second build of veilux.exe from a copy of the sources elsewhere must give
# the same bytes (about one extra build of the program: a minute here).
add_test(NAME reproducible_build COMMAND bash ${CMAKE_SOURCE_DIR}/tools/release/check-reproducible.sh ${CMAKE_BINARY_DIR})
set_tests_properties(reproducible_build PROPERTIES TIMEOUT 900)

# What make dist writes into the winget and Scoop manifests. They change
# nothing in the .exe; with no VEILUX_RELEASE_URL no manifests are written.
set(VEILUX_RELEASE_URL "" CACHE STRING "Address of the folder the release's zip is published in")
set(VEILUX_PACKAGE_ID "OrvSoftware.Veilux" CACHE STRING "winget's PackageIdentifier (Publisher.Package)")
set(VEILUX_PUBLISHER "Orv Software" CACHE STRING "The publisher the package managers show")
set(VEILUX_PACKAGE_NAME "${PROJECT_NAME}" CACHE STRING "The package's name in the package managers")
set(VEILUX_LICENSE "Freeware" CACHE STRING "The licence the package managers show")
set(VEILUX_DESCRIPTION "Shows or hides hidden files and file-name extensions in Explorer with one key press."
    CACHE STRING "The package's one-line description")
