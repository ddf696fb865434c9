# A delay-import library for MinGW, whose linker has no /DELAYLOAD: the DLL's functions are bound
# on their first call (by __delayLoadHelper2 of the MinGW runtime), so the DLL loads only then.
# The exports are those of MinGW's own import library. On i386 its symbols are stdcall-decorated
# (__imp__GetMessageW@16): the .def lists GetMessageW@16 and --kill-at binds the DLL's GetMessageW.
#   cmake -DNM=<nm> -DDLLTOOL=<dlltool> -DIMPORT_LIB=<libX.a> -DDLL=<X.dll> -DOUT=<lib>
#         [-DI386=ON] -P this file
execute_process(COMMAND ${NM} -g ${IMPORT_LIB} OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
set(prefix "__imp_")
set(kill_at "")
if(I386)
  set(prefix "__imp__")
  set(kill_at --kill-at)
endif()
string(REGEX MATCHALL " I ${prefix}[^\n]+" imports "${symbols}")
set(names "")
foreach(line IN LISTS imports)
  string(REGEX REPLACE "^ I ${prefix}" "" name "${line}")
  list(APPEND names "${name}")
endforeach()
list(REMOVE_DUPLICATES names)
list(JOIN names "\n  " exports)
get_filename_component(dir ${OUT} DIRECTORY)
file(WRITE ${dir}/${DLL}.def "LIBRARY ${DLL}\nEXPORTS\n  ${exports}\n")
execute_process(COMMAND ${DLLTOOL} ${kill_at} --input-def ${dir}/${DLL}.def --dllname ${DLL}
                        --output-delaylib ${OUT}
                COMMAND_ERROR_IS_FATAL ANY)
