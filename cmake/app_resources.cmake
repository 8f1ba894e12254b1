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
