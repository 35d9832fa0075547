# The bench's two programs: the minimal tray program that veilux.exe is
# measured against, and the driver that times both (bench/). They are
# built with the end-to-end programs; make bench runs them in full, and the
# end-to-end suite runs them once in a quick mode so that the bench keeps working.
add_executable(floor_tray WIN32 bench/floor_tray.cpp)
add_executable(bench_driver bench/bench_driver.cpp)
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
