# Run by CPack on the staged files, before they are packed.

# The programs look for their data in the folder of the configured prefix; a package
# built for /usr/local would install to /usr and find no language file.
if(NOT CPACK_KW3_INSTALL_PREFIX STREQUAL CPACK_PACKAGING_INSTALL_PREFIX)
  message(FATAL_ERROR "The build is configured for ${CPACK_KW3_INSTALL_PREFIX}, the package installs to "
                      "${CPACK_PACKAGING_INSTALL_PREFIX}: configure with -DCMAKE_INSTALL_PREFIX=/usr (./dev package does)")
endif()

# Stripped as Debian's dh_strip strips: symbols and debug information gone, and the
# compilers' .comment and .note sections too.
set(staged ${CPACK_TEMPORARY_INSTALL_DIRECTORY})
if(NOT staged OR NOT IS_DIRECTORY ${staged})
  message(FATAL_ERROR "no staging folder (${staged})")
endif()
file(GLOB programs LIST_DIRECTORIES false ${staged}${CPACK_PACKAGING_INSTALL_PREFIX}/bin/*)
if(NOT programs)
  message(FATAL_ERROR "no programs in ${staged}${CPACK_PACKAGING_INSTALL_PREFIX}/bin")
endif()
foreach(program IN LISTS programs)
  execute_process(COMMAND ${CPACK_KW3_STRIP} --remove-section=.comment --remove-section=.note ${program}
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "cannot strip ${program}")
  endif()
endforeach()
