# The same commit built in another folder gives the same bytes: no build path in
# the binaries (__FILE__ in assertions, debug information) and, on Windows, no
# link time in the modules' and programs' headers.
add_compile_options("-ffile-prefix-map=${PROJECT_SOURCE_DIR}=." "-ffile-prefix-map=${CMAKE_BINARY_DIR}=build")
if(WIN32)
  add_link_options(-Wl,--no-insert-timestamp)
endif()
