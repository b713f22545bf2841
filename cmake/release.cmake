# What the programs, pages and packages of this build say about the release: the version in
# the forms each reader wants, and the release's time.

# Windows version resources, manifests and installers read four numbers (Windows Installer
# compares the first three); the parts project() leaves out are 0.
foreach(part MAJOR MINOR PATCH TWEAK)
  if("${PROJECT_VERSION_${part}}" STREQUAL "")
    set(detron_${part} 0)
  else()
    set(detron_${part} ${PROJECT_VERSION_${part}})
  endif()
endforeach()
set(DETRON_VERSION_QUAD "${detron_MAJOR}.${detron_MINOR}.${detron_PATCH}.${detron_TWEAK}")
set(DETRON_VERSION_COMMAS "${detron_MAJOR},${detron_MINOR},${detron_PATCH},${detron_TWEAK}")
set(DETRON_VERSION_INSTALLER "${detron_MAJOR}.${detron_MINOR}.${detron_PATCH}")

# Every time stamp the build writes down is the time of the last commit, as Debian's
# reproducible builds have it: SOURCE_DATE_EPOCH when the builder sets one, else the last
# commit's time, else (a copy of the sources outside git) the release day.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(DETRON_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
  execute_process(COMMAND git -C ${PROJECT_SOURCE_DIR} log -1 --format=%ct
                  OUTPUT_VARIABLE DETRON_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE no_commit ERROR_QUIET)
  if(no_commit OR DETRON_SOURCE_DATE_EPOCH STREQUAL "")
    set(DETRON_SOURCE_DATE_EPOCH 1796731200)  # 8 December 2026, 12:00 UTC
  endif()
endif()
# The release's day for the AppStream release and the change log, its month for the manuals.
function(detron_release_time variable format)
  execute_process(COMMAND env LC_ALL=C date -u -d @${DETRON_SOURCE_DATE_EPOCH} "+${format}"
                  OUTPUT_VARIABLE time OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  set(${variable} "${time}" PARENT_SCOPE)
endfunction()
detron_release_time(DETRON_RELEASE_DATE "%Y-%m-%d")
detron_release_time(DETRON_RELEASE_MONTH "%B %Y")

# One header with the version, which every program includes.
configure_file(${CMAKE_CURRENT_LIST_DIR}/detron_version.h.in ${CMAKE_BINARY_DIR}/generated/detron_version.h @ONLY)
add_library(detron_version INTERFACE)
target_include_directories(detron_version INTERFACE ${CMAKE_BINARY_DIR}/generated)
