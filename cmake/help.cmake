# The manual: docs/help compiled to Tarnel.chm (HTML Help) with Free
# Pascal's chmcmd, put beside a program. The compiler reads the project
# from a copy, so that nothing is written into the source tree.
set(TARNEL_HELP_SOURCE "${CMAKE_SOURCE_DIR}/docs/help")
set(TARNEL_HELP_FILE "${CMAKE_BINARY_DIR}/help/Tarnel.chm")
file(GLOB_RECURSE TARNEL_HELP_SOURCES CONFIGURE_DEPENDS "${TARNEL_HELP_SOURCE}/*")
find_program(TARNEL_CHMCMD chmcmd REQUIRED)

set(work "${CMAKE_BINARY_DIR}/help-project")
file(MAKE_DIRECTORY "${work}")
add_custom_command(
  OUTPUT "${TARNEL_HELP_FILE}"
  COMMAND ${CMAKE_COMMAND} -E copy_directory "${TARNEL_HELP_SOURCE}" "${work}"
  COMMAND "${TARNEL_CHMCMD}" --html-scan --verbosity 1 Tarnel.hhp
  COMMAND ${CMAKE_COMMAND} -E copy "${work}/Tarnel.chm" "${TARNEL_HELP_FILE}"
  WORKING_DIRECTORY "${work}"
  DEPENDS ${TARNEL_HELP_SOURCES}
  COMMENT "Compiling the manual (Tarnel.chm)"
  VERBATIM)
add_custom_target(tarnel_help DEPENDS "${TARNEL_HELP_FILE}")

# Puts Tarnel.chm into a program's folder, compiled before it.
function(tarnel_ship_help target folder)
  add_custom_target(${target}_help
    COMMAND ${CMAKE_COMMAND} -E copy_if_different "${TARNEL_HELP_FILE}" "${folder}/Tarnel.chm"
    DEPENDS tarnel_help)
  add_dependencies(${target} ${target}_help)
endfunction()
