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

# The packed core is the real one: the test double's switches are nowhere in it.
file(STRINGS "${WORK}/${top}/LumivaleCore.dll" double_marks ENCODING UTF-16LE REGEX "LUMIVALE_CORE_")
if(double_marks)
  message(FATAL_ERROR "the packed core reads test variables: ${double_marks}")
endif()

# The unpacked pair works: the settings file is made before the core starts, the core's screen
# saver comes up full screen, and moving the pointer ends it and the program with it. Wine sets
# APPDATA from its own profile, so the variable is set inside the Windows side, by cmd; the pointer
# is moved on the X display by xdotool, beside the run (both commands of one execute_process run at
# once).
function(windows_path out path)
  string(REPLACE "/" "\\" path "Z:${path}")
  set(${out} "${path}" PARENT_SCOPE)
endfunction()
windows_path(appdata "${WORK}/appdata")
windows_path(program "${WORK}/${top}/Lumivale.scr")
set(mover [=[
shown=
for i in $(seq 300); do
  xdotool search --name '^Lumivale$' >/dev/null 2>&1 && { shown=1; break; }
  sleep 0.1
done
[ -n "$shown" ] || exit 2
for i in $(seq 100); do
  xdotool mousemove $((300 + i % 2 * 60)) 300 2>/dev/null
  sleep 0.2
  xdotool search --name '^Lumivale$' >/dev/null 2>&1 || exit 0
done
exit 1
]=])
execute_process(
  COMMAND "${WINE_RUN}" cmd /c "set APPDATA=${appdata}&& ${program} /s"
  COMMAND sh -c "${mover}"
  RESULTS_VARIABLE rcs TIMEOUT 90)
if(NOT rcs STREQUAL "0;0" OR NOT EXISTS "${WORK}/appdata/Lumivale!!/Lumivale!!.xml")
  message(FATAL_ERROR "the packed program's screen saver did not show and end on a move of the pointer (${rcs}; 2: never shown, 1: still there)")
endif()
