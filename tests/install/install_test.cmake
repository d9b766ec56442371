# cmake -DBUILD=<build tree> -DWORK=<scratch folder> -DBUNDLE=<bundle name> -P install_test.cmake
# Also: a second install over the first, the uninstall of both, and an install after a
# partial build.
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
foreach(file share/applications/stereopulseweaver.desktop share/icons/hicolor/48x48/apps/stereopulseweaver.png
             share/stereopulseweaver/sessions/demo.txt)
  if(NOT EXISTS "${prefix}/${file}")
    message(FATAL_ERROR "not installed: ${prefix}/${file}")
  endif()
endforeach()

# Uninstalled again: every file and every folder the install made goes; a folder
# that was there before stays, with the person's own file in it.
run(${CMAKE_COMMAND} -P "${BUILD}/uninstall.cmake")
if(EXISTS "${prefix}")
  message(FATAL_ERROR "uninstall left the prefix it made: ${prefix}")
endif()
file(WRITE "${prefix}/bin/own-script" "mine")
run(${CMAKE_COMMAND} --install "${BUILD}" --prefix "${prefix}")
run(${CMAKE_COMMAND} --install "${BUILD}" --prefix "${prefix}")  # twice over, as an update does
run(${CMAKE_COMMAND} -P "${BUILD}/uninstall.cmake")
file(GLOB_RECURSE left LIST_DIRECTORIES true RELATIVE "${prefix}" "${prefix}/*")
if(NOT left STREQUAL "bin;bin/own-script")
  message(FATAL_ERROR "uninstall left behind: ${left}")
endif()

# After a partial build (scripts/run.sh builds the bundle and the renderer only),
# what was built is installed and what was not is named.
set(player "${BUILD}/tools/play/spw_play")
file(RENAME "${player}" "${player}.aside")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD}" --prefix "${WORK}/partial"
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
file(RENAME "${player}.aside" "${player}")
if(NOT status EQUAL 0 OR NOT out MATCHES "Not installed: spw_play, which was not built"
   OR NOT EXISTS "${WORK}/partial/bin/spw_render" OR EXISTS "${WORK}/partial/bin/spw_play")
  message(FATAL_ERROR "a partial build did not install what it had (${status}):\n${out}")
endif()
run(${CMAKE_COMMAND} -P "${BUILD}/uninstall.cmake")

# Staged under DESTDIR, as a package build does.
set(ENV{DESTDIR} "${WORK}/stage")
run(${CMAKE_COMMAND} --install "${BUILD}" --prefix /usr/local)
unset(ENV{DESTDIR})
expect_installed("${WORK}/stage/usr/local")
run(${CMAKE_COMMAND} -P "${BUILD}/uninstall.cmake")
file(REMOVE_RECURSE "${WORK}")
