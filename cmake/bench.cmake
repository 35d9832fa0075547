# The bench's two programs: the minimal tray program that veilux.exe is
# measured against, and the driver that times both (bench/). They are
# built with the end-to-end programs; make bench runs them in full, and the
# end-to-end suite runs them once in a quick mode so that the bench keeps working.
add_executable(floor_tray WIN32 bench/floor_tray.cpp)
# The driver's direct toggle refreshes the shell's views with the program's own code.
add_executable(bench_driver bench/bench_driver.cpp explorer/shell_views.cpp)
target_include_directories(bench_driver PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(bench_driver PRIVATE ole32)
foreach(target floor_tray bench_driver)
  target_compile_definitions(${target} PRIVATE ${VEILUX_WIN_DEFINITIONS})
  target_link_libraries(${target} PRIVATE user32 shell32 advapi32)
  if(MINGW)
    target_link_options(${target} PRIVATE -municode -static)
  endif()
  veilux_warnings(${target})
endforeach()
add_dependencies(e2e_programs floor_tray bench_driver)

add_test(NAME e2e_bench_quick COMMAND bash ${CMAKE_SOURCE_DIR}/bench/run_bench.sh --quick)
set_tests_properties(e2e_bench_quick PROPERTIES LABELS e2e RESOURCE_LOCK wine_desktop TIMEOUT 300
  ENVIRONMENT "E2E_BIN=${CMAKE_BINARY_DIR};E2E_SOURCE=${CMAKE_SOURCE_DIR};E2E_PORT=${VEILUX_E2E_PORT}")

# The full run for make bench, inside the Wine session that make bench starts
# (cmake --build --preset bench-run); BENCH_PAIRS, BENCH_TOGGLES and
# BENCH_IDLE from the environment shorten it.
add_custom_target(run_bench
  COMMAND ${CMAKE_COMMAND} -E env E2E_BIN=${CMAKE_BINARY_DIR} E2E_SOURCE=${CMAKE_SOURCE_DIR} E2E_PORT=${VEILUX_E2E_PORT}
          bash ${CMAKE_SOURCE_DIR}/bench/run_bench.sh
  USES_TERMINAL VERBATIM)
add_dependencies(run_bench e2e_programs)
