# What the programs may import: Known DLLs, which Windows takes from the
# system folder only, and COMCTL32.dll, which the manifest's side-by-side
# dependency takes from the system's assembly store. Every link of a program
# checks its import table against this list (cmake/check_imports.cmake).
set(TARNEL_ALLOWED_IMPORTS "ADVAPI32.dll,COMCTL32.dll,COMDLG32.dll,GDI32.dll,KERNEL32.dll,msvcrt.dll,SHELL32.dll,USER32.dll")

function(tarnel_check_imports target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND "${CMAKE_COMMAND}" "-DOBJDUMP=${CMAKE_OBJDUMP}" "-DPROGRAM=$<TARGET_FILE:${target}>"
            "-DALLOWED=${TARNEL_ALLOWED_IMPORTS}" -P "${CMAKE_SOURCE_DIR}/cmake/check_imports.cmake"
    VERBATIM)
endfunction()
