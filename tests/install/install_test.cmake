# cmake -DBUILD=<build tree> -DWORK=<scratch folder> -DBUNDLE=<bundle name> -P install_test.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN} failed (${status}):\n${out}${err}")
  endif()
  set(output "${out}${err}" PARENT_SCOPE)
endfunction()

function(expect_installed root)
  foreach(file bin/spw_render bin/spw_play bin/spw_snapshot bin/spw_info
               lib/vst3/${BUNDLE}/Contents/x86_64-linux/stereoPulseWeaver.so)
    if(NOT EXISTS "${root}/${file}")
      message(FATAL_ERROR "not installed: ${root}/${file}")
    endif()
  endforeach()
endfunction()

# Into a prefix given at install time.
set(prefix "${WORK}/prefix")
run(${CMAKE_COMMAND} --install "${BUILD}" --prefix "${prefix}")
expect_installed("${prefix}")
# The installed renderer finds the installed bundle: the build tree is not beside it.
run("${prefix}/bin/spw_render" --duration 0.5 -o "${WORK}/out.wav")
if(NOT EXISTS "${WORK}/out.wav" OR NOT output MATCHES "wrote ")
  message(FATAL_ERROR "the installed spw_render did not render:\n${output}")
endif()
run("${prefix}/bin/spw_info" --help)

# Staged under DESTDIR, as a package build does.
set(ENV{DESTDIR} "${WORK}/stage")
run(${CMAKE_COMMAND} --install "${BUILD}" --prefix /usr/local)
unset(ENV{DESTDIR})
expect_installed("${WORK}/stage/usr/local")
file(REMOVE_RECURSE "${WORK}")
