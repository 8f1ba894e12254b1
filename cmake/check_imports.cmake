# Fails when a program imports a DLL that is not on the allowed list.
#   cmake -DOBJDUMP=... -DPROGRAM=file.exe -DALLOWED=A.dll,B.dll -P check_imports.cmake
# A DLL a program imports is loaded before its first line runs, from the
# program's own folder first unless it is a Known DLL (which always comes from
# the system) or, like COMCTL32.dll, named by the manifest's side-by-side
# dependency. So only those may be imported; anything else is loaded at run
# time from the system folder.
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND "${OBJDUMP}" -p "${PROGRAM}" OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${OBJDUMP} could not read ${PROGRAM}")
endif()
string(REGEX MATCHALL "DLL Name: [^\r\n]+" lines "${dump}")
if(NOT lines)
  message(FATAL_ERROR "no import table found in ${PROGRAM}")
endif()
string(TOUPPER "${ALLOWED}" allowed)
string(REPLACE "," ";" allowed "${allowed}")
set(refused "")
foreach(line IN LISTS lines)
  string(REGEX REPLACE "^DLL Name: " "" dll "${line}")
  string(TOUPPER "${dll}" upper)
  if(NOT upper IN_LIST allowed)
    list(APPEND refused "${dll}")
  endif()
endforeach()
if(refused)
  list(JOIN refused ", " refused)
  get_filename_component(name "${PROGRAM}" NAME)
  message(FATAL_ERROR "${name} imports ${refused}, which is not on the list of Known DLLs (cmake/imports.cmake): "
                      "Windows would look for it beside the program first. Load it at run time from the system "
                      "folder instead.")
endif()
