# Warnings on for our own targets; the SDK is included as a system path so its own warnings stay out.
function(spw_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion-null
    -Wnon-virtual-dtor -Woverloaded-virtual -Wno-unused-parameter)
endfunction()
