# The release as a user gets it, the ZIP and the installer from one cpack run of this build tree,
# signed with a certificate made here: the ZIP unpacked and its programs run with a library named
# like each one they load late planted beside them; the installer holding the same files
# (tests/installer_check.sh installs it). Arguments: BUILD_DIR, WORK, CPACK, WINE_RUN, VERSION,
# ARCH, PLANTED (the planted library), LATE (the names it is planted under).
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/appdata")

# A throwaway code-signing certificate; the release build signs with it (cmake/sign.cmake).
execute_process(COMMAND openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Lumivale test signer"
                        -addext extendedKeyUsage=codeSigning -keyout "${WORK}/key.pem" -out "${WORK}/cert.pem"
                COMMAND_ERROR_IS_FATAL ANY OUTPUT_QUIET ERROR_QUIET)
execute_process(COMMAND openssl pkcs12 -export -inkey "${WORK}/key.pem" -in "${WORK}/cert.pem"
                        -out "${WORK}/cert.pfx" -passout "pass:throwaway pass"
                COMMAND_ERROR_IS_FATAL ANY)
set(ENV{LUMIVALE_SIGN_PFX} "${WORK}/cert.pfx")
set(ENV{LUMIVALE_SIGN_PASSWORD} "throwaway pass")
# The release's time is the commit's (cmake/source_date.cmake): both packages' copies, stripped and
# signed at that time, are the same bytes.
execute_process(COMMAND "${CPACK}" -B "${WORK}/out" WORKING_DIRECTORY "${BUILD_DIR}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
file(GLOB packages RELATIVE "${WORK}/out" "${WORK}/out/Lumivale-*")
set(expected "Lumivale-${VERSION}-${ARCH}-setup.exe;Lumivale-${VERSION}-${ARCH}.SHA256SUMS;Lumivale-${VERSION}-${ARCH}.zip")
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

# Each program and the installer are signed with SHA-256 by that certificate.
foreach(name ${top}/Lumivale.scr ${top}/LumivaleCore.dll out/${top}-setup.exe)
  execute_process(COMMAND osslsigncode verify -CAfile "${WORK}/cert.pem" -in "${WORK}/${name}"
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0 OR NOT out MATCHES "Message digest algorithm *: SHA256")
    message(FATAL_ERROR "${name} is not signed with SHA-256 by the given certificate (${rc}):\n${out}")
  endif()
endforeach()

# A library named like each one the programs load late, beside them, with Wine told to prefer the
# folder's copy: it leaves <name>.dll.loaded when a process takes it.
set(overrides "")
foreach(name IN LISTS LATE)
  file(COPY_FILE "${PLANTED}" "${WORK}/${top}/${name}.dll")
  string(APPEND overrides "${name},")
endforeach()
string(REGEX REPLACE ",$" "=n,b" overrides "${overrides}")
set(ENV{WINEDLLOVERRIDES} "$ENV{WINEDLLOVERRIDES};${overrides}")
function(expect_nothing_planted_taken road)
  file(GLOB taken RELATIVE "${WORK}/${top}" "${WORK}/${top}/*.loaded")
  if(taken)
    message(FATAL_ERROR "${road}: a library planted beside the programs was loaded: ${taken}")
  endif()
endfunction()

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
  RESULTS_VARIABLE rcs TIMEOUT 180)
if(NOT rcs STREQUAL "0;0" OR NOT EXISTS "${WORK}/appdata/Lumivale!!/Lumivale!!.xml")
  message(FATAL_ERROR "the packed program's screen saver did not show and end on a move of the pointer (${rcs}; 2: never shown, 1: still there)")
endif()
expect_nothing_planted_taken("the screen saver")

# The configure road: the core's "設定" window and the settings dialog over it, whose folder button
# opens the open-file dialog (the common dialogs, the common controls); both are closed again.
set(user [=[
find() { for i in $(seq 300); do w=$(xdotool search --name "$1" 2>/dev/null | head -n1) && [ -n "$w" ] && { echo "$w"; return 0; }; sleep 0.1; done; return 1; }
click() { xdotool mousemove $(($1 + $3)) $(($2 + $4)); sleep 1; xdotool click 1; }
dialog=$(find '^Lumivale! Screen Saver - Setting$') || exit 2
sleep 1
eval "$(xdotool getwindowgeometry --shell "$dialog")"
click "$X" "$Y" 330 63
find '^BGM' >/dev/null || exit 3
sleep 1
xdotool key Escape
sleep 2
click "$X" "$Y" 346 6
for i in $(seq 300); do
  # The pointer back where the screen saver's run left it: a later start reads no move.
  xdotool search --name '^Lumivale! Screen Saver - Setting$' >/dev/null 2>&1 || { xdotool mousemove 300 300; exit 0; }
  sleep 0.1
done
exit 1
]=])
execute_process(
  COMMAND "${WINE_RUN}" cmd /c "set APPDATA=${appdata}&& ${program} /c"
  COMMAND sh -c "${user}"
  RESULTS_VARIABLE rcs TIMEOUT 120)
if(NOT rcs STREQUAL "0;0")
  message(FATAL_ERROR "the packed program's configure road did not run through (${rcs}; 2: no dialog, 3: no file dialog, 1: not closed)")
endif()
expect_nothing_planted_taken("the configure road")
