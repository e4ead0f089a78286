# Sanitizer and fuzzing builds.
#   -DCIFAN_SANITIZE=ON  every target with AddressSanitizer and UndefinedBehaviorSanitizer; the
#                        tests then run with leak detection on and stop at the first finding.
#   -DCIFAN_FUZZ=ON      (clang only, implies CIFAN_SANITIZE) the fuzz targets in fuzz/ become
#                        libFuzzer programs; the code they reach is instrumented for coverage.
option(CIFAN_SANITIZE "Build with -fsanitize=address,undefined" OFF)
option(CIFAN_FUZZ "Build the fuzz targets as libFuzzer programs (clang)" OFF)

if(CIFAN_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "CIFAN_FUZZ needs clang (CXX=clang++); scripts/setup-deps.sh fuzz installs it")
  endif()
  set(CIFAN_SANITIZE ON)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

if(CIFAN_SANITIZE)
  set(CIFAN_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${CIFAN_SANITIZER_FLAGS})
  # Line tables are all a finding's stack trace needs; -O1 is what the sanitizers are made for.
  # Both keep this second build of everything quick (full debug info doubles its link time).
  add_compile_options(-O1 -g1)
  add_link_options(${CIFAN_SANITIZER_FLAGS})
  # Every finding ends the test that made it; leaks are looked for at exit. The suppression file
  # names third-party libraries only (see there why).
  set(CIFAN_SANITIZER_ENVIRONMENT
      "ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:abort_on_error=0:check_initialization_order=1"
      "UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1"
      "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/cmake/lsan-thirdparty.supp:print_suppressions=0")
else()
  set(CIFAN_SANITIZER_ENVIRONMENT)
endif()
