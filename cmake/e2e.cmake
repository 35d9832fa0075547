# End-to-end tests: the unmodified veilux.exe, driven from outside under Wine
# in a virtual desktop, with the website served on this machine. They live in
# a build folder of their own (preset e2e, which sets
#   VEILUX_E2E=ON VEILUX_SITE_HOST=localhost:PORT)
# and run in the stage of tests/e2e/stage.sh (make test does both).
if(NOT VEILUX_SITE_HOST MATCHES "^localhost:([0-9]+)$")
  message(FATAL_ERROR "The end-to-end tests serve the website on this machine: "
                      "configure with -DVEILUX_SITE_HOST=localhost:PORT (now ${VEILUX_SITE_HOST})")
endif()
set(VEILUX_E2E_PORT ${CMAKE_MATCH_1})

# The driver, and the same source as a GUI program: the recording handler
# for https addresses, which must not open a console when a page is "opened".
foreach(target e2e_driver e2e_recorder)
  if(target STREQUAL e2e_recorder)
    add_executable(${target} WIN32 tests/e2e/driver.cpp)
  else()
    add_executable(${target} tests/e2e/driver.cpp)
  endif()
  target_compile_definitions(${target} PRIVATE ${VEILUX_WIN_DEFINITIONS})
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${target} PRIVATE user32 crypt32)
  if(MINGW)
    target_link_options(${target} PRIVATE -municode -static)
  endif()
  veilux_warnings(${target})
endforeach()

# The planted urlmon.dll, kept in a folder of its own: beside veilux.exe it
# would be planted for every test, not only for the one about planting.
add_library(fake_urlmon SHARED tests/e2e/fake_urlmon.cpp)
set_target_properties(fake_urlmon PROPERTIES OUTPUT_NAME urlmon PREFIX ""
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fake-urlmon)
if(MINGW)
  target_link_options(fake_urlmon PRIVATE -static)
endif()
veilux_warnings(fake_urlmon)

add_custom_target(e2e_programs DEPENDS veilux veilux_console e2e_driver e2e_recorder fake_urlmon)

# One test per part of a user's day, run one at a time (they share the
# desktop, the registry and the program's single-instance guard), in this
# order.
set(VEILUX_E2E_TESTS settings_pictures first_start hotkeys tray_menu second_copy settings exit update bad_values
    dot_folders burst planted_dll shortcuts command_line)
foreach(name ${VEILUX_E2E_TESTS})
  add_test(NAME e2e_${name} COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/test_${name}.sh)
  set_tests_properties(e2e_${name} PROPERTIES LABELS e2e RESOURCE_LOCK wine_desktop TIMEOUT 300
    ENVIRONMENT "E2E_BIN=${CMAKE_BINARY_DIR};E2E_SOURCE=${CMAKE_SOURCE_DIR};E2E_PORT=${VEILUX_E2E_PORT}")
endforeach()
include(cmake/bench.cmake)

# Last, after the bench's quick run: the contact sheet of every screenshot the
# tests took (tools/previews/contact-sheet.sh), which fails when one is missing.
add_test(NAME e2e_contact_sheet COMMAND bash ${CMAKE_SOURCE_DIR}/tools/previews/contact-sheet.sh)
set_tests_properties(e2e_contact_sheet PROPERTIES LABELS e2e RESOURCE_LOCK wine_desktop TIMEOUT 300
  ENVIRONMENT "E2E_BIN=${CMAKE_BINARY_DIR};E2E_SOURCE=${CMAKE_SOURCE_DIR};E2E_PORT=${VEILUX_E2E_PORT}")
