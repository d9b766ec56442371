# Per-platform compile settings shared by every target.
if(WIN32)
  add_compile_definitions(UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601)
  # Static runtime: the DLL and the test programs must run under wine without MinGW DLLs.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()
find_package(Threads REQUIRED)
