# Windows build: the program, its Win32 code as a library for the tests, and
# the test programs that run under Wine.
set(VEILUX_WIN_DEFINITIONS UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0601 NTDDI_VERSION=0x06010000)
set(VEILUX_SYSTEM_LIBRARIES user32 gdi32 shell32 advapi32 ole32 shlwapi gdiplus comctl32)
if(MINGW)
  # No MinGW runtime DLL beside the .exe; ASLR (high entropy) and NX on.
  set(VEILUX_LINK_OPTIONS -static -Wl,--dynamicbase,--high-entropy-va,--nxcompat)
  # The release is optimised for size: -Os makes the program's own code about
  # 9 KB smaller than -O3, with nothing in it that would run measurably slower.
  set(CMAKE_CXX_FLAGS_RELEASE "-Os -DNDEBUG")
  set(CMAKE_C_FLAGS_RELEASE "-Os -DNDEBUG")
endif()
target_compile_definitions(veilux_core PUBLIC ${VEILUX_WIN_DEFINITIONS})

file(GLOB VEILUX_WIN_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/app/*.cpp ${CMAKE_SOURCE_DIR}/explorer/*.cpp ${CMAKE_SOURCE_DIR}/i18n/*.cpp
  ${CMAKE_SOURCE_DIR}/tray/*.cpp ${CMAKE_SOURCE_DIR}/update/*.cpp)
foreach(core ${VEILUX_CORE_SOURCES} app/winmain.cpp app/runtime_slim.cpp)
  list(REMOVE_ITEM VEILUX_WIN_SOURCES ${CMAKE_SOURCE_DIR}/${core})
endforeach()
add_library(veilux_win STATIC ${VEILUX_WIN_SOURCES})
target_link_libraries(veilux_win PUBLIC veilux_core ${VEILUX_SYSTEM_LIBRARIES})
target_link_options(veilux_win PUBLIC ${VEILUX_LINK_OPTIONS})
veilux_warnings(veilux_win)

enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR}/res")

if(EXISTS ${CMAKE_SOURCE_DIR}/app/winmain.cpp)
  add_executable(veilux WIN32 app/winmain.cpp app/runtime_slim.cpp res/veilux.rc)
  target_link_libraries(veilux PRIVATE veilux_win)
  if(MINGW)
    target_link_options(veilux PRIVATE -municode)
    include(cmake/release.cmake)
  endif()
  veilux_warnings(veilux)
endif()

# Windows test programs: one per file, each one CTest test, all run one at a
# time because they share the prefix's registry, desktop and named objects.
file(GLOB VEILUX_WIN_TEST_SUPPORT CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/support/*.cpp)
add_library(win_test_support STATIC ${VEILUX_WIN_TEST_SUPPORT})
target_link_libraries(win_test_support PUBLIC veilux_win GTest::gtest)
target_include_directories(win_test_support PUBLIC ${CMAKE_SOURCE_DIR}/tests/win)

file(GLOB VEILUX_WIN_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/test_*.cpp)
set(VEILUX_TEST_EXECUTABLES "")
foreach(source ${VEILUX_WIN_TESTS})
  get_filename_component(name ${source} NAME_WE)
  add_executable(${name} ${source} tests/win/test_resources.rc)
  target_link_libraries(${name} PRIVATE win_test_support GTest::gtest_main)
  veilux_warnings(${name})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES RESOURCE_LOCK wine_prefix TIMEOUT 300)
  list(APPEND VEILUX_TEST_EXECUTABLES $<TARGET_FILE:${name}>)
endforeach()

# Opens the settings window in one language, for tools/shoot-selector.sh.
add_executable(selector_preview WIN32 tests/win/preview/selector_preview.cpp tests/win/test_resources.rc)
target_link_libraries(selector_preview PRIVATE veilux_win)
if(MINGW)
  target_link_options(selector_preview PRIVATE -municode)
endif()
veilux_warnings(selector_preview)
list(APPEND VEILUX_TEST_EXECUTABLES $<TARGET_FILE:selector_preview>)

# Every .exe: 64-bit, only system DLLs imported, ASLR, high-entropy VA and NX.
set(VEILUX_ALL_EXECUTABLES ${VEILUX_TEST_EXECUTABLES})
if(TARGET veilux)
  list(APPEND VEILUX_ALL_EXECUTABLES $<TARGET_FILE:veilux>)
endif()
add_test(NAME executable_hardening
  COMMAND bash ${CMAKE_SOURCE_DIR}/tools/check-executables.sh ${VEILUX_ALL_EXECUTABLES})
