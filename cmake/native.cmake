# Native build: the portable core and its unit tests, under ASan and UBSan.
set(VEILUX_SANITIZERS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
target_compile_options(veilux_core PRIVATE ${VEILUX_SANITIZERS})
target_link_options(veilux_core PUBLIC ${VEILUX_SANITIZERS})

file(GLOB VEILUX_UNIT_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(unit_tests ${VEILUX_UNIT_TESTS})
target_compile_options(unit_tests PRIVATE ${VEILUX_SANITIZERS})
target_link_libraries(unit_tests PRIVATE veilux_core GTest::gtest_main)
veilux_warnings(unit_tests)
add_test(NAME unit_tests COMMAND unit_tests)
