# A delay-import library for MinGW, whose linker has no /DELAYLOAD: the DLL's functions are bound
# on their first call (by __delayLoadHelper2 of the MinGW runtime), so the DLL loads only then.
# x86_64 only (see host/CMakeLists.txt). The exports are those of MinGW's own import library.
#   cmake -DNM=<nm> -DDLLTOOL=<dlltool> -DIMPORT_LIB=<libX.a> -DDLL=<X.dll> -DOUT=<lib> -P this file
execute_process(COMMAND ${NM} -g ${IMPORT_LIB} OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL " I __imp_[^\n]+" imports "${symbols}")
set(names "")
foreach(line IN LISTS imports)
  string(REGEX REPLACE "^ I __imp_" "" name "${line}")
  list(APPEND names "${name}")
endforeach()
list(REMOVE_DUPLICATES names)
list(JOIN names "\n  " exports)
get_filename_component(dir ${OUT} DIRECTORY)
file(WRITE ${dir}/${DLL}.def "LIBRARY ${DLL}\nEXPORTS\n  ${exports}\n")
execute_process(COMMAND ${DLLTOOL} --input-def ${dir}/${DLL}.def --dllname ${DLL} --output-delaylib ${OUT}
                COMMAND_ERROR_IS_FATAL ANY)
