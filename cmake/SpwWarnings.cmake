# Warnings on for our own targets; the SDK is included as a system path so its own warnings stay out.
# SPW_WARNINGS_AS_ERRORS (on in CI) makes any new warning fail the build.
option(SPW_WARNINGS_AS_ERRORS "Treat compiler warnings in our own targets as errors" OFF)

function(spw_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion-null
    -Wnon-virtual-dtor -Woverloaded-virtual -Wno-unused-parameter)
  if(SPW_WARNINGS_AS_ERRORS)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
