# lumivale_system_libraries(<program> DELAY <dll>... [INPUTS <archives>...])
# The program takes every library from System32 only. Its entry point is LumivaleEntry
# (ui/late_load_win.cpp), which narrows the library search before the C runtime starts; the DLLs
# named after DELAY are delay-imported (bound on their first call, loaded then from System32), so
# that the start imports only kernel32, the C runtime and what else the program links directly
# (the KnownDLLs, which the loader takes from System32 whatever the search). INPUTS are the
# program's own archives that call delayed functions (see cmake/delay_refs.cmake, i386).
function(lumivale_system_libraries program)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "DELAY;INPUTS")
  if(MSVC)
    list(TRANSFORM arg_DELAY PREPEND /DELAYLOAD: OUTPUT_VARIABLE delay_options)
    list(TRANSFORM delay_options APPEND .dll)
    target_link_options(${program} PRIVATE ${delay_options})
    target_link_libraries(${program} PRIVATE delayimp)
    return()
  endif()
  set(i386 OFF)
  set(entry LumivaleEntry)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(i386 ON)
    set(entry _LumivaleEntry)  # the C name as i386 decorates it
  endif()
  target_link_options(${program} PRIVATE -Wl,-u,${entry} -Wl,-e,${entry})
  set(delay_libs "")
  set(delay_defs "")
  foreach(dll IN LISTS arg_DELAY)
    find_library(LUMIVALE_IMPORT_${dll} NAMES lib${dll}.a REQUIRED)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/delay/lib${dll}_delay.a)
    add_custom_command(OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DDLLTOOL=${CMAKE_DLLTOOL} -DIMPORT_LIB=${LUMIVALE_IMPORT_${dll}}
              -DDLL=${dll}.dll -DOUT=${out} -DI386=${i386} -P ${CMAKE_SOURCE_DIR}/cmake/delay_import.cmake
      DEPENDS ${CMAKE_SOURCE_DIR}/cmake/delay_import.cmake VERBATIM)
    list(APPEND delay_libs ${out})
    list(APPEND delay_defs ${CMAKE_CURRENT_BINARY_DIR}/delay/${dll}.dll.def)
  endforeach()
  add_custom_target(${program}_delay_libs DEPENDS ${delay_libs})
  add_dependencies(${program} ${program}_delay_libs)
  # After the libraries that call them, before the plain import libraries.
  target_link_libraries(${program} PRIVATE ${arg_INPUTS} ${delay_libs})
  if(i386)
    # Keep the thunks of the functions the program calls (see cmake/delay_refs.cmake).
    set(refs ${CMAKE_CURRENT_BINARY_DIR}/delay/${program}_refs.rsp)
    set(inputs "$<TARGET_OBJECTS:${program}>")
    foreach(input IN LISTS arg_INPUTS)
      list(APPEND inputs "$<TARGET_FILE:${input}>")
    endforeach()
    add_custom_command(TARGET ${program} PRE_LINK
      COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} "-DDEFS=${delay_defs}" "-DINPUTS=${inputs}" -DOUT=${refs}
              -P ${CMAKE_SOURCE_DIR}/cmake/delay_refs.cmake
      VERBATIM)
    target_link_options(${program} PRIVATE @${refs})
  endif()
endfunction()
