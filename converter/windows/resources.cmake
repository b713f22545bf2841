# The Windows program's resources: icon, manifest and version information, compiled from
# detron.rc. Add ${DETRON_WINDOWS_RESOURCES} to a Windows executable's sources, or call
# detron_add_windows_resources(<target>), which also works for a target in another directory.
set(DETRON_WINDOWS_RESOURCES "${CMAKE_CURRENT_LIST_DIR}/detron.rc")

# The resource compiler's dependency scan sees only #include lines, not the files named by
# ICON and RT_MANIFEST statements, so a new icon or manifest would not rebuild the object.
set(_detron_windows_resource_inputs
  "${CMAKE_CURRENT_LIST_DIR}/detron.ico"
  "${CMAKE_CURRENT_LIST_DIR}/detron.manifest")
set_source_files_properties("${DETRON_WINDOWS_RESOURCES}" PROPERTIES
  OBJECT_DEPENDS "${_detron_windows_resource_inputs}"
  INCLUDE_DIRECTORIES "${CMAKE_CURRENT_LIST_DIR}")

function(detron_add_windows_resources target)
  if(NOT WIN32)
    return()
  endif()
  set(here "${CMAKE_CURRENT_FUNCTION_LIST_DIR}")
  target_sources(${target} PRIVATE "${here}/detron.rc")
  # Source file properties belong to one directory; set them where the target was made too.
  set_source_files_properties("${here}/detron.rc" TARGET_DIRECTORY ${target} PROPERTIES
    OBJECT_DEPENDS "${here}/detron.ico;${here}/detron.manifest"
    INCLUDE_DIRECTORIES "${here}")
endfunction()
