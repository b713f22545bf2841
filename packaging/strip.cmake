# Run by CPack on the staged files: every program stripped as dh_strip strips it, without the
# compiler's comments and the notes lintian calls unneeded.
file(GLOB programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin/*")
foreach(program IN LISTS programs)
  execute_process(COMMAND ${CPACK_STRIP_COMMAND} --remove-section=.comment --remove-section=.note ${program}
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
