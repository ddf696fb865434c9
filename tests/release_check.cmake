# The release as a user gets it, the ZIP and the installer from one cpack run of this build tree:
# the ZIP unpacked and its program run once with the core packed beside it; the installer holding
# the same files (tests/installer_check.sh installs it). Arguments: BUILD_DIR, WORK, CPACK,
# WINE_RUN, VERSION, ARCH.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/appdata")

# Stripping stamps the time into each copy unless SOURCE_DATE_EPOCH names one: both packages' copies
# are then the same bytes.
execute_process(COMMAND "${CMAKE_COMMAND}" -E env SOURCE_DATE_EPOCH=1700000000 "${CPACK}" -B "${WORK}/out"
                WORKING_DIRECTORY "${BUILD_DIR}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
file(GLOB packages RELATIVE "${WORK}/out" "${WORK}/out/Lumivale-*")
set(expected "Lumivale-${VERSION}-${ARCH}-setup.exe;Lumivale-${VERSION}-${ARCH}.zip")
if(NOT rc EQUAL 0 OR NOT packages STREQUAL expected)
  message(FATAL_ERROR "cpack (${rc}) made [${packages}], expected [${expected}]:\n${out}")
endif()
set(zips "${WORK}/out/Lumivale-${VERSION}-${ARCH}.zip")

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
# The program's version resource says the version the packages are named after.
file(STRINGS "${WORK}/${top}/Lumivale.scr" versions ENCODING UTF-16LE REGEX "^[0-9]+\\.[0-9]+\\.[0-9]+$")
if(NOT versions STREQUAL "${VERSION};${VERSION}")
  message(FATAL_ERROR "the program's FileVersion and ProductVersion are [${versions}], not ${VERSION}")
endif()
# The installer packs what the ZIP does, less the note: the same stripped files.
file(GLOB staged "${WORK}/out/_CPack_Packages/*/NSIS/Lumivale-*-setup")
foreach(name Lumivale.scr LumivaleCore.dll)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${staged}/${name}" "${WORK}/${top}/${name}"
                  RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "the installer's ${name} is not the ZIP's")
  endif()
endforeach()

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
