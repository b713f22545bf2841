# The Windows programs' resources: icon, manifest and version information, configured for each
# program from the project's version. Call
#   detron_add_windows_resources(<target> "<description>" [WINDOW])
# for a target in any directory; WINDOW gives the manifest the themed common controls and the
# DPI awareness a window needs.

# The manifest names the processor the program is built for.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(DETRON_MANIFEST_ARCH amd64)
else()
  set(DETRON_MANIFEST_ARCH x86)
endif()

function(detron_add_windows_resources target description)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(PARSE_ARGV 2 resource "WINDOW" "" "")
  set(here "${CMAKE_CURRENT_FUNCTION_LIST_DIR}")
  set(generated "${CMAKE_BINARY_DIR}/windows-resources")
  get_target_property(DETRON_PROGRAM ${target} OUTPUT_NAME)
  if(NOT DETRON_PROGRAM)
    set(DETRON_PROGRAM ${target})
  endif()
  set(DETRON_PROGRAM_DESCRIPTION "${description}")
  set(DETRON_MANIFEST_WINDOW_PART "")
  if(resource_WINDOW)
    file(READ "${here}/window.manifest-part" DETRON_MANIFEST_WINDOW_PART)
  endif()
  configure_file("${here}/program.manifest.in" "${generated}/${DETRON_PROGRAM}.manifest" @ONLY)
  configure_file("${here}/program.rc.in" "${generated}/${DETRON_PROGRAM}.rc" @ONLY)
  target_sources(${target} PRIVATE "${generated}/${DETRON_PROGRAM}.rc")
  # The resource compiler's dependency scan sees only #include lines, not the files named by
  # ICON and RT_MANIFEST statements, so a new icon or manifest would not rebuild the object.
  # Source file properties belong to one directory; set them where the target was made too.
  set_source_files_properties("${generated}/${DETRON_PROGRAM}.rc" TARGET_DIRECTORY ${target} PROPERTIES
    OBJECT_DEPENDS "${here}/detron.ico;${generated}/${DETRON_PROGRAM}.manifest"
    INCLUDE_DIRECTORIES "${generated};${here}")
endfunction()
