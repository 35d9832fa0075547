# Fuzz targets: the portable core's readers of data the program did not write
# itself, under libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer
# (clang only; preset "fuzz"). tools/checks/fuzz.sh runs them.
set(VEILUX_FUZZ_SANITIZERS address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
target_compile_options(veilux_core PRIVATE -fsanitize=fuzzer-no-link,${VEILUX_FUZZ_SANITIZERS})

foreach(name version_file language_code)
  add_executable(fuzz_${name} tests/fuzz/${name}_fuzz.cpp)
  target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer,${VEILUX_FUZZ_SANITIZERS})
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer,${VEILUX_FUZZ_SANITIZERS})
  target_link_libraries(fuzz_${name} PRIVATE veilux_core)
  veilux_warnings(fuzz_${name})
endforeach()
