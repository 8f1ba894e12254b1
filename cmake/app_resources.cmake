# Compiles the window program's resources (version record, manifest,
# pictures, About box) into a program: Tarnel.exe, and the test program that
# creates its windows.
function(tarnel_add_app_resources target)
  target_sources(${target} PRIVATE "${TARNEL_APP_RES_DIR}/Tarnel.rc")
  set_property(SOURCE "${TARNEL_APP_RES_DIR}/Tarnel.rc" APPEND PROPERTY OBJECT_DEPENDS
               "${TARNEL_APP_GENERATED_DIR}/tarnel_version.h" "${TARNEL_APP_GENERATED_DIR}/Tarnel.manifest")
  target_include_directories(${target} PRIVATE "${TARNEL_APP_RES_DIR}" "${TARNEL_APP_GENERATED_DIR}"
                                               "${CMAKE_SOURCE_DIR}/src")
endfunction()

# Puts lang.ini and the language files into the folder of a program, built
# before it.
file(GLOB TARNEL_LANGUAGE_FILES CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/data/lang/*")
function(tarnel_ship_languages target folder)
  add_custom_target(${target}_languages
    COMMAND ${CMAKE_COMMAND} -E make_directory "${folder}"
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${TARNEL_LANGUAGE_FILES} "${folder}"
    DEPENDS ${TARNEL_LANGUAGE_FILES})
  add_dependencies(${target} ${target}_languages)
endfunction()
