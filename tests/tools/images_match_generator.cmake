# Draws every editor image with spw_imagegen into a fresh folder and compares
# each, byte for byte, with the committed one in img/ (1x and @2x), so a change
# to a painter, the theme or the raster layer cannot leave img/ stale unnoticed.
# On a mismatch the drawn images stay in the folder for a look.
#   cmake -DGENERATOR=... -DIMAGES=.../img -DFOLDER=... -P images_match_generator.cmake
file(REMOVE_RECURSE "${FOLDER}")
file(MAKE_DIRECTORY "${FOLDER}")
execute_process(COMMAND "${GENERATOR}" "${FOLDER}" RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "spw_imagegen failed (${result})")
endif()

file(GLOB drawn RELATIVE "${FOLDER}" "${FOLDER}/*.png")
file(GLOB committed RELATIVE "${IMAGES}" "${IMAGES}/*.png")
list(SORT drawn)
list(SORT committed)
if(NOT drawn STREQUAL committed)
  message(FATAL_ERROR "img/ holds ${committed}\nthe generator draws ${drawn}")
endif()

set(stale "")
foreach(name IN LISTS drawn)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${FOLDER}/${name}" "${IMAGES}/${name}"
                  RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    list(APPEND stale "${name}")
  endif()
endforeach()
if(stale)
  message(FATAL_ERROR "not what the generator draws now: ${stale} (drawn ones in ${FOLDER})")
endif()
list(LENGTH drawn count)
message(STATUS "${count} images match img/")
file(REMOVE_RECURSE "${FOLDER}")
