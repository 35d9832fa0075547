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
  ${CMAKE_SOURCE_DIR}/app/*.cpp ${CMAKE_SOURCE_DIR}/explorer/*.cpp ${CMAKE_SOURCE_DIR}/i18n/*.cpp ${CMAKE_SOURCE_DIR}/ui/*.cpp
  ${CMAKE_SOURCE_DIR}/tray/*.cpp ${CMAKE_SOURCE_DIR}/update/*.cpp)
foreach(core ${VEILUX_CORE_SOURCES} app/winmain.cpp app/console_main.cpp app/runtime_slim.cpp)
  list(REMOVE_ITEM VEILUX_WIN_SOURCES ${CMAKE_SOURCE_DIR}/${core})
endforeach()
add_library(veilux_win STATIC ${VEILUX_WIN_SOURCES})
target_link_libraries(veilux_win PUBLIC veilux_core ${VEILUX_SYSTEM_LIBRARIES})
target_link_options(veilux_win PUBLIC ${VEILUX_LINK_OPTIONS})
veilux_warnings(veilux_win)

enable_language(RC)
# Quoted: the path of a source folder may hold spaces.
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I \"${CMAKE_SOURCE_DIR}/res\"")
# windres reads the icons, pictures and manifest that the scripts name, but no
# build tool sees those reads: the resource objects depend on them by name, so
# a redrawn icon is in the next build.
file(GLOB VEILUX_RC_INPUTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/*.ico ${CMAKE_SOURCE_DIR}/res/*.png)
list(APPEND VEILUX_RC_INPUTS ${CMAKE_BINARY_DIR}/generated/veilux.manifest ${CMAKE_SOURCE_DIR}/tests/win/not_a_png.bin)
set_source_files_properties(res/veilux.rc tests/win/test_resources.rc PROPERTIES OBJECT_DEPENDS "${VEILUX_RC_INPUTS}")

add_executable(veilux WIN32 app/winmain.cpp app/runtime_slim.cpp res/veilux.rc)
# comctl32 is delay-loaded: only the settings and shortcuts windows need it,
# and under Wine loading it commits about 2.3 MB, which a program that runs
# all day would otherwise hold from its start. The loader finds it as it
# would at start: System32 only (wWinMain locks the search path down first),
# version 6 by the manifest.
if(MINGW)
  find_program(VEILUX_DLLTOOL NAMES x86_64-w64-mingw32-dlltool REQUIRED)
  set(VEILUX_COMCTL32_DELAY ${CMAKE_BINARY_DIR}/libcomctl32_delay.a)
  add_custom_command(OUTPUT ${VEILUX_COMCTL32_DELAY}
    COMMAND ${VEILUX_DLLTOOL} --input-def ${CMAKE_SOURCE_DIR}/cmake/comctl32_delay.def --dllname comctl32.dll
            --output-delaylib ${VEILUX_COMCTL32_DELAY}
    DEPENDS ${CMAKE_SOURCE_DIR}/cmake/comctl32_delay.def VERBATIM)
  add_custom_target(comctl32_delay DEPENDS ${VEILUX_COMCTL32_DELAY})
endif()
# Both programs link the same way: the program's library, comctl32 loaded
# only when a window first needs it.
function(veilux_link_program target)
  if(MINGW)
    add_dependencies(${target} comctl32_delay)
    # After the program's own library and before the plain import library, so
    # that the program's calls resolve to the delayed import.
    target_link_libraries(${target} PRIVATE veilux_win ${VEILUX_COMCTL32_DELAY})
    target_link_options(${target} PRIVATE -municode)
  elseif(MSVC)
    target_link_libraries(${target} PRIVATE veilux_win delayimp)
    target_link_options(${target} PRIVATE /DELAYLOAD:comctl32.dll)
  else()
    target_link_libraries(${target} PRIVATE veilux_win)
  endif()
  veilux_warnings(${target})
endfunction()
veilux_link_program(veilux)

# veilux.com: the same program's command side as a console program, so that
# a shell waits for a command, shows its lines in place and gets its exit
# code. Beside veilux.exe, PATHEXT makes "veilux" run it; with no words it
# starts veilux.exe.
add_executable(veilux_console app/console_main.cpp res/veilux.rc)
set_target_properties(veilux_console PROPERTIES OUTPUT_NAME veilux SUFFIX .com)
veilux_link_program(veilux_console)
if(MINGW)
  include(cmake/release.cmake)
endif()

# Windows test programs: one per file, each one CTest test, all run one at a
# time because they share the prefix's registry, desktop and named objects.
# An object library, so that every test program links all of it, the
# throwaway HKEY_CURRENT_USER included, whether it calls into it or not.
file(GLOB VEILUX_WIN_TEST_SUPPORT CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/support/*.cpp)
add_library(win_test_support OBJECT ${VEILUX_WIN_TEST_SUPPORT})
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
  set_tests_properties(${name} PROPERTIES RESOURCE_LOCK wine_prefix TIMEOUT 300 FIXTURES_REQUIRED real_user_settings)
  list(APPEND VEILUX_TEST_EXECUTABLES $<TARGET_FILE:${name}>)
endforeach()

# Under Wine only: canaries in the test prefix's real HKEY_CURRENT_USER,
# set before the first test program and checked after the last, show that
# no test reached the real user's settings. On a real Windows account the
# canaries themselves would overwrite that user's values.
if(CMAKE_CROSSCOMPILING)
  add_test(NAME real_user_settings_set COMMAND bash ${CMAKE_SOURCE_DIR}/tests/win/registry_canaries.sh set)
  add_test(NAME real_user_settings_kept COMMAND bash ${CMAKE_SOURCE_DIR}/tests/win/registry_canaries.sh check)
  set_tests_properties(real_user_settings_set PROPERTIES FIXTURES_SETUP real_user_settings RESOURCE_LOCK wine_prefix)
  set_tests_properties(real_user_settings_kept PROPERTIES FIXTURES_CLEANUP real_user_settings RESOURCE_LOCK wine_prefix)
endif()

# The tray icon and the settings window once more with the prefix at 144 DPI
# (150 %), where Wine gives every process that DPI.
if(CMAKE_CROSSCOMPILING)
  add_test(NAME test_tray_icon_at_144_dpi
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/win/at_dpi.sh 144 $<TARGET_FILE:test_tray_icon>
            --gtest_filter=Tray.IconIsLoadedAtTheSmallIconSizeOfTheDisplayScale:Tray.TheMainWindowHearsOfANewScale)
  add_test(NAME test_language_selector_at_144_dpi
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/win/at_dpi.sh 144 $<TARGET_FILE:test_language_selector>
            --gtest_filter=Selector.WindowControlsFontAndPicturesFollowTheScale)
  set_tests_properties(test_tray_icon_at_144_dpi test_language_selector_at_144_dpi PROPERTIES
    RESOURCE_LOCK wine_prefix TIMEOUT 300 FIXTURES_REQUIRED real_user_settings)
endif()

# Opens the settings window in one language, for tools/previews/shoot-selector.sh.
add_executable(selector_preview WIN32 tools/previews/selector_preview.cpp res/veilux.rc)
target_link_libraries(selector_preview PRIVATE veilux_win)
if(MINGW)
  target_link_options(selector_preview PRIVATE -municode)
endif()
veilux_warnings(selector_preview)
list(APPEND VEILUX_TEST_EXECUTABLES $<TARGET_FILE:selector_preview>)

# Every .exe: 64-bit, only system DLLs imported, ASLR, high-entropy VA and NX.
set(VEILUX_ALL_EXECUTABLES ${VEILUX_TEST_EXECUTABLES} $<TARGET_FILE:veilux>)
add_test(NAME executable_hardening
  COMMAND bash ${CMAKE_SOURCE_DIR}/tools/checks/check-executables.sh ${VEILUX_ALL_EXECUTABLES})
