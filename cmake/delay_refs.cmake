# i386 only: ld drops the code of an import-library member whose own symbol nothing references
# (calls go through __imp__X@n), and a delay library's import slot points into that code, so it
# would stay 0. This writes a response file that references the thunk (-u _X@n) of every delayed
# function the given objects and archives import.
#   cmake -DNM=<nm> -DDEFS=<a.def;b.def> -DINPUTS=<objects and archives> -DOUT=<file.rsp> -P this file
cmake_policy(SET CMP0057 NEW)  # if(IN_LIST) in script mode
set(delayed "")
foreach(def IN LISTS DEFS)
  file(STRINGS ${def} lines REGEX "^  ")
  foreach(line IN LISTS lines)
    string(STRIP "${line}" name)
    list(APPEND delayed "${name}")
  endforeach()
endforeach()
execute_process(COMMAND ${NM} -g --undefined-only ${INPUTS} OUTPUT_VARIABLE symbols
                COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL "U __imp__[^\n]+" imports "${symbols}")
set(refs "")
foreach(line IN LISTS imports)
  string(REGEX REPLACE "^U __imp__" "" name "${line}")
  if(name IN_LIST delayed)
    list(APPEND refs "-Wl,-u,_${name}")
  endif()
endforeach()
list(REMOVE_DUPLICATES refs)
list(JOIN refs "\n" text)
file(WRITE ${OUT} "${text}\n")
