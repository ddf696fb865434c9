# The source released twice, as the README's Release section does it, in two folders of
# different depth at two times: the programs, the ZIP, the installer and the checksums must be the
# same bytes, and no folder of either build may appear in the programs. Only what the release
# holds is built (no tests); ccache, where present, keeps the second compilation cheap
# (-ffile-prefix-map leaves no folder in the objects, so it finds them). Arguments: SOURCE_DIR,
# WORK, PRESET.
file(REMOVE_RECURSE "${WORK}")
unset(ENV{LUMIVALE_SIGN_PFX})  # the build as anyone makes it without a certificate
find_program(CCACHE ccache)
if(CCACHE AND "$ENV{CMAKE_CXX_COMPILER_LAUNCHER}" STREQUAL "")
  set(ENV{CMAKE_CXX_COMPILER_LAUNCHER} "${CCACHE}")
endif()
if("$ENV{CCACHE_BASEDIR}" STREQUAL "")
  set(ENV{CCACHE_BASEDIR} "${SOURCE_DIR}")
endif()

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${ARGN} failed (${rc}):\n${out}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

# The commit, with the changes of the working tree to its tracked files laid over it (as a release
# built before committing would be: the checksums file says so).
run(git -C "${SOURCE_DIR}" diff --name-only HEAD)
string(REGEX MATCHALL "[^\n]+" changed "${out}")
set(builds "${WORK}/first/Lumivale" "${WORK}/second build/sub/Lumivale")
foreach(tree IN LISTS builds)
  run(git clone --quiet --no-hardlinks "${SOURCE_DIR}" "${tree}")
  foreach(file IN LISTS changed)
    file(REMOVE "${tree}/${file}")
    if(EXISTS "${SOURCE_DIR}/${file}")
      get_filename_component(folder "${tree}/${file}" DIRECTORY)
      file(MAKE_DIRECTORY "${folder}")
      file(COPY_FILE "${SOURCE_DIR}/${file}" "${tree}/${file}")
    endif()
  endforeach()
  run(${CMAKE_COMMAND} --preset ${PRESET} -DBUILD_TESTING=OFF -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON
      WORKING_DIRECTORY "${tree}")
  run(${CMAKE_COMMAND} --build build/${PRESET} --parallel 2 --target Lumivale LumivaleCore WORKING_DIRECTORY "${tree}")
  run(${CMAKE_COMMAND} --install build/${PRESET} --prefix dist/Lumivale --strip WORKING_DIRECTORY "${tree}")
  if(NOT out MATCHES "Unsigned")
    message(FATAL_ERROR "an unsigned build does not say so:\n${out}")
  endif()
  run(${CMAKE_CPACK_COMMAND} WORKING_DIRECTORY "${tree}/build/${PRESET}")
  execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 1)  # a second later: no clock may show
endforeach()

list(GET builds 0 first)
list(GET builds 1 second)
file(GLOB zips RELATIVE "${first}/build/${PRESET}" "${first}/build/${PRESET}/Lumivale-*.zip"
     "${first}/build/${PRESET}/Lumivale-*-setup.exe")
file(GLOB sums RELATIVE "${first}/build/${PRESET}" "${first}/build/${PRESET}/Lumivale-*.SHA256SUMS")
set(compared dist/Lumivale/Lumivale.scr dist/Lumivale/LumivaleCore.dll)
foreach(file IN LISTS zips sums)
  list(APPEND compared "build/${PRESET}/${file}")
endforeach()
list(LENGTH compared count)
if(NOT count EQUAL 5)
  message(FATAL_ERROR "the release is not complete: ${compared}")
endif()
foreach(file IN LISTS compared)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${first}/${file}" "${second}/${file}" RESULT_VARIABLE differ)
  if(differ)
    message(FATAL_ERROR "${file} differs between two builds of the same commit")
  endif()
endforeach()
# Neither folder, as a path of the build or of the source, is in the programs.
foreach(name Lumivale.scr LumivaleCore.dll)
  file(STRINGS "${first}/dist/Lumivale/${name}" paths REGEX "(first|second build/sub)/Lumivale")
  file(STRINGS "${first}/dist/Lumivale/${name}" wide ENCODING UTF-16LE REGEX "(first|second build/sub)/Lumivale")
  if(paths OR wide)
    message(FATAL_ERROR "${name} holds a folder of its build: ${paths}${wide}")
  endif()
endforeach()
