# The release ZIP as a user gets it: built from this build tree, unpacked, and its program run once
# with the core packed beside it. Arguments: BUILD_DIR, WORK, CPACK, WINE_RUN.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/appdata")

execute_process(COMMAND "${CPACK}" -G ZIP -B "${WORK}/out" WORKING_DIRECTORY "${BUILD_DIR}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
file(GLOB zips "${WORK}/out/Lumivale-*.zip")
list(LENGTH zips count)
if(NOT rc EQUAL 0 OR NOT count EQUAL 1)
  message(FATAL_ERROR "cpack failed (${rc}):\n${out}")
endif()

execute_process(COMMAND "${CMAKE_COMMAND}" -E tar xf "${zips}" WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE rc)
file(GLOB_RECURSE packed RELATIVE "${WORK}" "${WORK}/Lumivale-*/*")
list(SORT packed)
get_filename_component(top "${zips}" NAME_WLE)
set(expected "${top}/INSTALL.txt;${top}/Lumivale.scr;${top}/LumivaleCore.dll")
if(NOT rc EQUAL 0 OR NOT packed STREQUAL expected)
  message(FATAL_ERROR "the ZIP holds [${packed}], expected [${expected}]")
endif()

# Shipped stripped: the build tree's copies carry debug information.
foreach(name Lumivale.scr LumivaleCore.dll)
  file(SIZE "${WORK}/${top}/${name}" shipped)
  file(SIZE "${BUILD_DIR}/bin/${name}" built)
  if(NOT shipped LESS built)
    message(FATAL_ERROR "${name} is not stripped: ${shipped} bytes shipped, ${built} built")
  endif()
endforeach()

# The unpacked pair works: the settings file is made before the core starts, the core gets the
# switch, and the program ends with the core. Wine sets APPDATA from its own profile, so the
# variables are set inside the Windows side, by cmd.
function(windows_path out path)
  string(REPLACE "/" "\\" path "Z:${path}")
  set(${out} "${path}" PARENT_SCOPE)
endfunction()
windows_path(appdata "${WORK}/appdata")
windows_path(program "${WORK}/${top}/Lumivale.scr")
execute_process(
  COMMAND "${WINE_RUN}" cmd /c "set APPDATA=${appdata}&& set LUMIVALE_CORE_LOG=${appdata}\\core.log&& set LUMIVALE_CORE_MODE=exit:300&& ${program} /s"
  RESULT_VARIABLE rc TIMEOUT 60)
file(READ "${WORK}/appdata/core.log" log)
if(NOT rc EQUAL 0 OR NOT EXISTS "${WORK}/appdata/Lumivale!!/Lumivale!!.xml"
   OR NOT log MATCHES "cmdline \"[^\"]*LumivaleCore.dll\" /s.*\nexit")
  message(FATAL_ERROR "the packed program did not run as expected (${rc}); the core's log:\n${log}")
endif()
