# The user guide: HTML pages in resources/help, copied to <build>/help/html for installing and
# compiled into <build>/help/Help.chm with chmcmd (Debian's fpc package) when it is installed.
# The build-tree program finds Help.chm and the HTML guide (help/) in its own folder, so a copy
# goes next to it too.

set(VESPERON_HELP_SOURCE ${PROJECT_SOURCE_DIR}/resources/help)
set(VESPERON_HELP_OUTPUT ${CMAKE_BINARY_DIR}/help)
file(GLOB_RECURSE vesperon_help_sources CONFIGURE_DEPENDS ${VESPERON_HELP_SOURCE}/*)
find_program(VESPERON_CHMCMD chmcmd)

set(help_stamp ${VESPERON_HELP_OUTPUT}/html.stamp)
add_custom_command(
  OUTPUT ${help_stamp}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${VESPERON_HELP_OUTPUT}/html
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${VESPERON_HELP_SOURCE} ${VESPERON_HELP_OUTPUT}/html
  # The project files only matter to the compiler.
  COMMAND ${CMAKE_COMMAND} -E rm -f ${VESPERON_HELP_OUTPUT}/html/Help.hhp ${VESPERON_HELP_OUTPUT}/html/Help.hhc
          ${VESPERON_HELP_OUTPUT}/html/Help.hhk
  # The build-tree program shows the guide from its own (application) folder.
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${VESPERON_HELP_OUTPUT}/html $<TARGET_FILE_DIR:vesperon>/help
  COMMAND ${CMAKE_COMMAND} -E touch ${help_stamp}
  DEPENDS ${vesperon_help_sources}
  COMMENT "Copying the help pages")
set(help_outputs ${help_stamp})

if(VESPERON_CHMCMD)
  set(chm_work ${VESPERON_HELP_OUTPUT}/chm)
  set(help_chm_commands
      COMMAND ${CMAKE_COMMAND} -E rm -rf ${chm_work}
      COMMAND ${CMAKE_COMMAND} -E copy_directory ${VESPERON_HELP_SOURCE} ${chm_work}
      COMMAND ${CMAKE_COMMAND} -E chdir ${chm_work} ${VESPERON_CHMCMD} Help.hhp
      COMMAND ${CMAKE_COMMAND} -E copy ${chm_work}/Help.chm ${VESPERON_HELP_OUTPUT}/Help.chm)
  list(APPEND help_chm_commands COMMAND ${CMAKE_COMMAND} -E copy ${chm_work}/Help.chm
       $<TARGET_FILE_DIR:vesperon>/Help.chm)
  add_custom_command(
    OUTPUT ${VESPERON_HELP_OUTPUT}/Help.chm
    ${help_chm_commands}
    DEPENDS ${vesperon_help_sources}
    COMMENT "Compiling Help.chm")
  list(APPEND help_outputs ${VESPERON_HELP_OUTPUT}/Help.chm)
else()
  message(STATUS "chmcmd not found (Debian package fpc): Help.chm is not built")
endif()

add_custom_target(vesperon_help ALL DEPENDS ${help_outputs})

if(VESPERON_BUILD_TESTS)
  set(help_check_args -DHELP_SOURCE=${VESPERON_HELP_SOURCE} -DHTML_OUTPUT=${VESPERON_HELP_OUTPUT}/html)
  if(VESPERON_CHMCMD)
    list(APPEND help_check_args -DCHM=${VESPERON_HELP_OUTPUT}/Help.chm)
    list(APPEND help_check_args -DCHM_BESIDE_PROGRAM=$<TARGET_FILE_DIR:vesperon>/Help.chm)
  endif()
  add_test(NAME help_pages COMMAND ${CMAKE_COMMAND} ${help_check_args} -P ${PROJECT_SOURCE_DIR}/cmake/CheckHelp.cmake)
endif()
