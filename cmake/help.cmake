# The help file: help/*.htm compiled by chmcmd (Debian: fp-utils) into 帮助.chm in the program folder.
find_program(CHMCMD_EXECUTABLE chmcmd)
if(NOT CHMCMD_EXECUTABLE)
  message(FATAL_ERROR "chmcmd not found: install fp-utils (scripts/setup-deps.sh does)")
endif()

set(CIFAN_HELP_SOURCE_DIR ${CMAKE_SOURCE_DIR}/help)
set(CIFAN_HELP_WORK_DIR ${CMAKE_BINARY_DIR}/help)
set(CIFAN_HELP_FILE ${CIFAN_PROGRAM_DIR}/帮助.chm)
file(GLOB CIFAN_HELP_SOURCES CONFIGURE_DEPENDS
  ${CIFAN_HELP_SOURCE_DIR}/*.htm ${CIFAN_HELP_SOURCE_DIR}/*.css ${CIFAN_HELP_SOURCE_DIR}/*.hhp
  ${CIFAN_HELP_SOURCE_DIR}/*.hhc ${CIFAN_HELP_SOURCE_DIR}/*.hhk)

# chmcmd writes next to the project file, so the sources are copied into the build tree first; the
# compiled file gets a plain name there and its Chinese name only when it is copied into place.
add_custom_command(
  OUTPUT ${CIFAN_HELP_FILE}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${CIFAN_HELP_WORK_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CIFAN_HELP_SOURCE_DIR} ${CIFAN_HELP_WORK_DIR}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CIFAN_HELP_WORK_DIR}/images
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/pic/logo.png ${CIFAN_HELP_WORK_DIR}/images/logo.png
  COMMAND ${CMAKE_COMMAND} -E chdir ${CIFAN_HELP_WORK_DIR} ${CHMCMD_EXECUTABLE} cifan.hhp
  COMMAND ${CMAKE_COMMAND} -E copy ${CIFAN_HELP_WORK_DIR}/cifan.chm ${CIFAN_HELP_FILE}
  DEPENDS ${CIFAN_HELP_SOURCES} ${CMAKE_SOURCE_DIR}/pic/logo.png
  COMMENT "Compiling the help file 帮助.chm"
  VERBATIM)
add_custom_target(helpfile ALL DEPENDS ${CIFAN_HELP_FILE})
