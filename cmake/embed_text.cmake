# Writes the text file SOURCE into the C++ header TARGET as one raw string
# constant named NAME, byte for byte. Run by the build with cmake -P, so that
# the header follows every change of the file.
file(READ "${SOURCE}" text)
set(delimiter "tarnel_text")
string(FIND "${text}" ")${delimiter}\"" clash)
if(NOT clash EQUAL -1)
  message(FATAL_ERROR "${SOURCE} holds the raw-string delimiter )${delimiter}\"")
endif()
file(WRITE "${TARGET}.tmp" "// Made by the build from ${SOURCE}; do not edit.\n#pragma once\ninline constexpr char ${NAME}[] = R\"${delimiter}(${text})${delimiter}\";\n")
file(COPY_FILE "${TARGET}.tmp" "${TARGET}" ONLY_IF_DIFFERENT)
file(REMOVE "${TARGET}.tmp")
