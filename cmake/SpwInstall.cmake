# `cmake --install build/linux [--prefix P]` (DESTDIR honoured; build/windows alike,
# without the Linux desktop's files), after a full build
# or after scripts/run.sh's partial one: the bundle into P/lib/vst3, the tools that
# were built into P/bin (each one that was not is named, and skipped), their manual
# pages, the player's menu entry and icon, and the example sessions. Every folder
# the install makes is recorded beside install_manifest.txt, so that
# `cmake -P build/linux/uninstall.cmake` removes the files and those folders again.
include(GNUInstallDirs)
set(spw_tools spw_render spw_play spw_snapshot spw_info)
set(spw_share_dir "${CMAKE_INSTALL_DATADIR}/stereopulseweaver")
set(spw_icon_sizes 16 24 32 48 64 128 256)
get_filename_component(spw_bundle_folder "${SPW_BUNDLE_DIR}" NAME)

set(spw_install_folders "${CMAKE_INSTALL_BINDIR}" "${SPW_VST3_INSTALL_DIR}/${spw_bundle_folder}"
    "${CMAKE_INSTALL_MANDIR}/man1" "${CMAKE_INSTALL_DATADIR}/applications" "${spw_share_dir}/sessions")
foreach(size IN LISTS spw_icon_sizes)
  list(APPEND spw_install_folders "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps")
endforeach()
set(spw_folders_record "${CMAKE_BINARY_DIR}/install_folders.txt")
install(CODE "set(SPW_INSTALL_FOLDERS \"${spw_install_folders}\")\nset(SPW_FOLDERS_RECORD \"${spw_folders_record}\")")
install(SCRIPT "${CMAKE_CURRENT_LIST_DIR}/RecordInstallFolders.cmake")

install(DIRECTORY "${SPW_BUNDLE_DIR}" DESTINATION "${SPW_VST3_INSTALL_DIR}" USE_SOURCE_PERMISSIONS)
foreach(tool IN LISTS spw_tools)
  if(TARGET ${tool})
    install(TARGETS ${tool} RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}" OPTIONAL)
    install(CODE "if(NOT EXISTS \"$<TARGET_FILE:${tool}>\")
      message(STATUS \"Not installed: ${tool}, which was not built (cmake --build ${CMAKE_BINARY_DIR} --target ${tool})\")
    endif()")
    if(NOT WIN32)
      install(FILES "${SPW_MAN_DIR}/${tool}.1" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1" OPTIONAL)
    endif()
  endif()
endforeach()

if(TARGET spw_play AND NOT WIN32)
  install(FILES "${PROJECT_SOURCE_DIR}/packaging/linux/stereopulseweaver.desktop"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
  foreach(size IN LISTS spw_icon_sizes)
    install(FILES "${PROJECT_SOURCE_DIR}/packaging/icon/stereopulseweaver-${size}.png"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps" RENAME stereopulseweaver.png)
  endforeach()
endif()
file(GLOB spw_sessions "${PROJECT_SOURCE_DIR}/sessions/*.txt")
install(FILES ${spw_sessions} DESTINATION "${spw_share_dir}/sessions")

configure_file("${CMAKE_CURRENT_LIST_DIR}/Uninstall.cmake.in" "${CMAKE_BINARY_DIR}/uninstall.cmake" @ONLY)
add_custom_target(uninstall COMMAND ${CMAKE_COMMAND} -P "${CMAKE_BINARY_DIR}/uninstall.cmake" VERBATIM)
