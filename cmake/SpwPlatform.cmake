# Per-platform compile settings shared by every target.
if(WIN32)
  add_compile_definitions(UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601)
  # Static runtime: the DLL and the test programs must run under wine without MinGW DLLs.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()
find_package(Threads REQUIRED)
if(EMSCRIPTEN)
  # One thread (an audio worklet has no shared memory to start more), and
  # WebAssembly's 128-bit vectors for the two-lane mixing path (engine/lanes.h).
  add_compile_definitions(SPW_NO_THREADS)
  add_compile_options(-msimd128)
endif()
