# The shipped knowledge base, one file for both builds.
set(TARNEL_KNOWLEDGE_BASE_SOURCE "${CMAKE_SOURCE_DIR}/data/Knowbase.ini")
set(TARNEL_KNOWLEDGE_BASE "${CMAKE_BINARY_DIR}/Knowbase.ini")
configure_file("${TARNEL_KNOWLEDGE_BASE_SOURCE}" "${TARNEL_KNOWLEDGE_BASE}" COPYONLY)

# Puts the knowledge base beside a program after each build of it.
function(tarnel_ship_knowledge_base target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different "${TARNEL_KNOWLEDGE_BASE}" "$<TARGET_FILE_DIR:${target}>/Knowbase.ini")
endfunction()
