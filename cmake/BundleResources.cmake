# Writes a built bundle's Contents/Resources: the snapshots host browsers show
# (drawn by spw_snapshot from the default programme, at 1x and at 2x)
# and moduleinfo.json (spw_moduleinfo, from the module's own factory, listing
# those snapshots). Run at build time:
#   cmake -DBUNDLE=<dir.vst3> -DSNAPSHOT=<spw_snapshot> -DMODULEINFO=<spw_moduleinfo>
#         [-DEMULATOR=<runner of the target's programs>] -P BundleResources.cmake

function(spw_run)
  execute_process(COMMAND ${EMULATOR} ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${ARGN} failed (${result}): ${err}")
  endif()
  string(STRIP "${out}" out)
  set(spw_run_output "${out}" PARENT_SCOPE)
endfunction()

spw_run(${MODULEINFO} --cid ${BUNDLE})
set(cid "${spw_run_output}")
set(snapshots "${BUNDLE}/Contents/Resources/Snapshots")
file(REMOVE_RECURSE "${snapshots}")
file(MAKE_DIRECTORY "${snapshots}")
spw_run(${SNAPSHOT} -o "${snapshots}/${cid}_snapshot.png")
spw_run(${SNAPSHOT} --scale 2 -o "${snapshots}/${cid}_snapshot_2.0x.png")
spw_run(${MODULEINFO} ${BUNDLE})
