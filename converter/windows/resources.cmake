# The Windows program's resources: icon, manifest and version information, compiled from
# detron.rc. Call detron_add_windows_resources(<target>), which also works for a target in
# another directory.

# The manifest names the processor the program is built for; the resource compiler finds the
# configured copy in the build folder.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(DETRON_MANIFEST_ARCH amd64)
else()
  set(DETRON_MANIFEST_ARCH x86)
endif()
set(DETRON_WINDOWS_RESOURCE_DIR "${CMAKE_BINARY_DIR}/windows-resources")
configure_file("${CMAKE_CURRENT_LIST_DIR}/detron.manifest.in"
               "${DETRON_WINDOWS_RESOURCE_DIR}/detron.manifest" @ONLY)

function(detron_add_windows_resources target)
  if(NOT WIN32)
    return()
  endif()
  set(here "${CMAKE_CURRENT_FUNCTION_LIST_DIR}")
  set(generated "${CMAKE_BINARY_DIR}/windows-resources")
  target_sources(${target} PRIVATE "${here}/detron.rc")
  # The resource compiler's dependency scan sees only #include lines, not the files named by
  # ICON and RT_MANIFEST statements, so a new icon or manifest would not rebuild the object.
  # Source file properties belong to one directory; set them where the target was made too.
  set_source_files_properties("${here}/detron.rc" TARGET_DIRECTORY ${target} PROPERTIES
    OBJECT_DEPENDS "${here}/detron.ico;${generated}/detron.manifest"
    INCLUDE_DIRECTORIES "${generated};${here}")
endfunction()
