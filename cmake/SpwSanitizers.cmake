# Sanitizer builds: SPW_SANITIZE=address,undefined or SPW_SANITIZE=thread instruments
# every target of the tree (clang or GCC). Every report ends the program, so a test
# that provokes one fails. Test suites that cannot run instrumented say so with
# spw_test(... NOT_UNDER_SANITIZERS).
#
# SPW_FUZZ=ON (clang only) adds libFuzzer's coverage to every target and builds the
# fuzz targets of tests/fuzz.
set(SPW_SANITIZE "" CACHE STRING "Sanitizers for every target: address,undefined or thread (empty: none)")
option(SPW_FUZZ "Build the libFuzzer targets (clang)" OFF)

if(SPW_SANITIZE)
  set(spw_sanitize_flags -fsanitize=${SPW_SANITIZE} -fno-omit-frame-pointer -g)
  if(SPW_SANITIZE MATCHES "undefined")
    # GCC leaves float-to-int overflow out of "undefined"; a report must stop the program.
    list(APPEND spw_sanitize_flags -fsanitize=float-cast-overflow -fno-sanitize-recover=all)
  endif()
  add_compile_options(${spw_sanitize_flags})
  add_link_options(-fsanitize=${SPW_SANITIZE})
endif()

if(SPW_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "SPW_FUZZ needs clang (libFuzzer)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
