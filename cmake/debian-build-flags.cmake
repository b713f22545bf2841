# Debian's build flags, as a Debian package build takes them: dpkg-buildflags with all of its
# hardening (stack protector, fortify, relro, immediate binding), and on x86 the control-flow
# protection and stack clash protection Debian 12's dpkg does not add yet. Run from the source
# folder, so that its -ffile-prefix-map takes that folder's name out of the programs.
find_program(DPKG_BUILDFLAGS dpkg-buildflags REQUIRED)
set(detron_maint_append "")
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|i[3-6]86)$")
  set(detron_maint_append "-fcf-protection -fstack-clash-protection")
endif()
foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
            DEB_CXXFLAGS_MAINT_APPEND=${detron_maint_append} ${DPKG_BUILDFLAGS} --get ${kind}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    OUTPUT_VARIABLE detron_${kind} OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
endforeach()
# The build folder's name stays out too: two builds in different folders give the same bytes.
string(APPEND detron_CXXFLAGS " -ffile-prefix-map=${CMAKE_BINARY_DIR}=build")
# -O2 from the flags gives way to the build type's own level, which the suites are run at.
string(APPEND CMAKE_CXX_FLAGS " ${detron_CPPFLAGS} ${detron_CXXFLAGS}")
string(APPEND CMAKE_EXE_LINKER_FLAGS " ${detron_LDFLAGS}")
message(STATUS "Debian build flags: ${detron_CPPFLAGS} ${detron_CXXFLAGS} ${detron_LDFLAGS}")
