# Draws every editor image with spw_imagegen into a fresh folder and compares
# each, byte for byte, with the committed one in img/ (1x and @2x), so a change
# to a painter, the theme or the raster layer cannot leave img/ stale unnoticed.
# The program's icon (packaging/icon: the theme's PNGs and the .ico) likewise.
# On a mismatch the drawn images stay in the folder for a look.
#   cmake -DGENERATOR=... -DIMAGES=.../img -DICONS=.../packaging/icon -DFOLDER=... -P images_match_generator.cmake
file(REMOVE_RECURSE "${FOLDER}")
file(MAKE_DIRECTORY "${FOLDER}")
file(MAKE_DIRECTORY "${FOLDER}/icon")

# Runs the generator with ARGN, then compares what it drew in drawn_folder with committed_folder.
function(expect_drawn drawn_folder committed_folder)
  execute_process(COMMAND "${GENERATOR}" ${ARGN} RESULT_VARIABLE result OUTPUT_QUIET)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "spw_imagegen ${ARGN} failed (${result})")
  endif()
  file(GLOB drawn RELATIVE "${drawn_folder}" "${drawn_folder}/*.png" "${drawn_folder}/*.ico")
  file(GLOB committed RELATIVE "${committed_folder}" "${committed_folder}/*.png" "${committed_folder}/*.ico")
  list(SORT drawn)
  list(SORT committed)
  if(NOT drawn STREQUAL committed)
    message(FATAL_ERROR "${committed_folder} holds ${committed}\nthe generator draws ${drawn}")
  endif()
  set(stale "")
  foreach(name IN LISTS drawn)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${drawn_folder}/${name}" "${committed_folder}/${name}"
                    RESULT_VARIABLE differs)
    if(NOT differs EQUAL 0)
      list(APPEND stale "${name}")
    endif()
  endforeach()
  if(stale)
    message(FATAL_ERROR "not what the generator draws now: ${stale} (drawn ones in ${drawn_folder})")
  endif()
  list(LENGTH drawn count)
  message(STATUS "${count} images match ${committed_folder}")
endfunction()

expect_drawn("${FOLDER}" "${IMAGES}" "${FOLDER}")
expect_drawn("${FOLDER}/icon" "${ICONS}" --icon "${FOLDER}/icon")
file(REMOVE_RECURSE "${FOLDER}")
