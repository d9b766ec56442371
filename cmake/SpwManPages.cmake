# A manual page for each command-line tool, made by help2man from the tool's own
# --help, so the page never drifts from the program (native builds only; the
# pages go to SPW_MAN_DIR, installed by SpwInstall.cmake). help2man dates them
# from SOURCE_DATE_EPOCH when it is set, as package builds do.
set(SPW_MAN_DIR "${CMAKE_BINARY_DIR}/man")
find_program(SPW_HELP2MAN help2man)
if(CMAKE_CROSSCOMPILING OR SPW_SANITIZE OR SPW_FUZZ OR NOT SPW_HELP2MAN)
  return()
endif()
set(spw_man_spw_render "render stereoPulseWeaver's binaural beats offline into an audio file")
set(spw_man_spw_play "play stereoPulseWeaver's binaural beats live, with its editor")
set(spw_man_spw_snapshot "draw stereoPulseWeaver's editor into a PNG picture")
set(spw_man_spw_info "print stereoPulseWeaver's parameters and programmes")
set(spw_man_pages "")
foreach(tool spw_render spw_play spw_snapshot spw_info)
  if(TARGET ${tool})
    set(page "${SPW_MAN_DIR}/${tool}.1")
    add_custom_command(OUTPUT "${page}"
      COMMAND ${CMAKE_COMMAND} -E make_directory "${SPW_MAN_DIR}"
      COMMAND "${SPW_HELP2MAN}" --no-info --version-string=${PROJECT_VERSION} --name=${spw_man_${tool}}
              --section=1 --source=Orvanti --output=${page} $<TARGET_FILE:${tool}>
      DEPENDS ${tool}
      COMMENT "Writing the manual page of ${tool}" VERBATIM)
    list(APPEND spw_man_pages "${page}")
  endif()
endforeach()
add_custom_target(spw_man_pages ALL DEPENDS ${spw_man_pages})
