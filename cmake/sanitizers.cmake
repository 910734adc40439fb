# Sanitizer and fuzzing builds (clang; the presets asan, tsan and fuzz).
#
#   KORVIX_SANITIZE=address  AddressSanitizer with UndefinedBehaviorSanitizer
#   KORVIX_SANITIZE=thread   ThreadSanitizer
#   KORVIX_FUZZ=ON           the fuzz targets as libFuzzer programs, with ASan and UBSan
#
# Everything built here is instrumented (SDL3 comes prebuilt and is not). Every
# report stops the program: nothing is allowed to recover.
set(KORVIX_SANITIZE "" CACHE STRING "Sanitizer build: address (with undefined) or thread")
set_property(CACHE KORVIX_SANITIZE PROPERTY STRINGS "" address thread)
option(KORVIX_FUZZ "Build the fuzz targets as libFuzzer programs (clang)" OFF)

if(KORVIX_FUZZ AND KORVIX_SANITIZE)
  message(FATAL_ERROR "KORVIX_FUZZ brings its own sanitizers; leave KORVIX_SANITIZE empty")
endif()

set(korvix_sanitizers "")
if(KORVIX_FUZZ)
  set(korvix_sanitizers address,undefined)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "KORVIX_FUZZ needs clang (the preset fuzz uses clang-14)")
  endif()
  # Coverage for libFuzzer everywhere; only the fuzz targets link its main.
  add_compile_options(-fsanitize=fuzzer-no-link)
  add_link_options(-fsanitize=fuzzer-no-link)
elseif(KORVIX_SANITIZE STREQUAL "address")
  set(korvix_sanitizers address,undefined)
elseif(KORVIX_SANITIZE STREQUAL "thread")
  set(korvix_sanitizers thread)
elseif(KORVIX_SANITIZE)
  message(FATAL_ERROR "KORVIX_SANITIZE is address or thread, not ${KORVIX_SANITIZE}")
endif()

if(korvix_sanitizers)
  # -O1 keeps the instrumented tests quick and the reports' stacks whole.
  add_compile_options(-fsanitize=${korvix_sanitizers} -fno-sanitize-recover=all -fno-omit-frame-pointer -O1 -g)
  add_link_options(-fsanitize=${korvix_sanitizers})
  if(korvix_sanitizers MATCHES "address")
    # The standard library's own bounds checks, for what ASan can't see
    # (an index past size() but within capacity()).
    add_compile_definitions(_GLIBCXX_ASSERTIONS)
  endif()
endif()
