# The shipped knowledge base, as the program of this build reads it: a
# 32-bit program judges the win32 type library entries, which name files as
# it sees them, instead of the win64 ones.
set(TARNEL_KNOWLEDGE_BASE_SOURCE "${CMAKE_SOURCE_DIR}/data/Knowbase.ini")
set(TARNEL_KNOWLEDGE_BASE "${CMAKE_BINARY_DIR}/Knowbase.ini")
set_property(DIRECTORY "${CMAKE_SOURCE_DIR}" APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${TARNEL_KNOWLEDGE_BASE_SOURCE}")
file(READ "${TARNEL_KNOWLEDGE_BASE_SOURCE}" knowledge_base)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  string(REPLACE "\\*\\*\\*\\win64=" "\\*\\*\\*\\win32=" knowledge_base "${knowledge_base}")
endif()
file(WRITE "${TARNEL_KNOWLEDGE_BASE}" "${knowledge_base}")

# Puts the knowledge base beside a program after each build of it.
function(tarnel_ship_knowledge_base target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different "${TARNEL_KNOWLEDGE_BASE}" "$<TARGET_FILE_DIR:${target}>/Knowbase.ini")
endfunction()
