# Run by CPack after it has made a package (CPACK_POST_BUILD_SCRIPTS): writes beside the packages
# <name>.SHA256SUMS, the commit the release was built from and the SHA-256 of each package and of
# each file the packages hold, as `sha256sum -c` reads it. A later generator of the same run (an
# installer) adds its package to the same file.
cmake_policy(SET CMP0057 NEW)  # if(IN_LIST)
set(LUMIVALE_SOURCE_DIR "${CPACK_LUMIVALE_SOURCE_DIR}")
include("${CMAKE_CURRENT_LIST_DIR}/source_date.cmake")
# The packages are still in CPack's own folder; they go to CPACK_PACKAGE_DIRECTORY next.
# One file for the run's packages (the ZIP and the installer).
set(release "${CPACK_PACKAGE_NAME}-${CPACK_PACKAGE_VERSION}-${CPACK_LUMIVALE_ARCH}")
set(sums "${CPACK_PACKAGE_DIRECTORY}/${release}.SHA256SUMS")

execute_process(COMMAND git -C "${LUMIVALE_SOURCE_DIR}" rev-parse HEAD
                OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
execute_process(COMMAND git -C "${LUMIVALE_SOURCE_DIR}" status --porcelain --untracked-files=no
                OUTPUT_VARIABLE changes ERROR_QUIET)
if(commit STREQUAL "")
  set(commit "unknown (not built from a git checkout)")
elseif(NOT changes STREQUAL "")
  string(APPEND commit " with uncommitted changes")
endif()

# Lines of earlier packages of this run stay; this package's and its contents' are made anew.
# Kept as "name|hash", written as "hash  name", in the order of the names.
set(entries "")
if(EXISTS "${sums}")
  file(STRINGS "${sums}" lines REGEX "^[0-9a-f]+  ")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^([0-9a-f]+)  (.*)$" "\\2|\\1" entry "${line}")
    list(APPEND entries "${entry}")
  endforeach()
endif()
set(files "")
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  get_filename_component(name "${package}" NAME)
  list(APPEND files "${name}|${package}")
endforeach()
# The files as the ZIP unpacks them (the installer holds the same ones).
if(CPACK_GENERATOR STREQUAL "ZIP")
  file(GLOB_RECURSE contents RELATIVE "${CPACK_TEMPORARY_DIRECTORY}" "${CPACK_TEMPORARY_DIRECTORY}/*")
  foreach(name IN LISTS contents)
    list(APPEND files "${CPACK_PACKAGE_FILE_NAME}/${name}|${CPACK_TEMPORARY_DIRECTORY}/${name}")
  endforeach()
endif()
set(made "")
set(names "")
foreach(pair IN LISTS files)
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 name)
  list(GET pair 1 path)
  file(SHA256 "${path}" hash)
  list(APPEND made "${name}|${hash}")
  list(APPEND names "${name}")
endforeach()
foreach(entry IN LISTS entries)
  string(REGEX REPLACE "[|].*" "" name "${entry}")
  if(NOT name IN_LIST names)
    list(APPEND made "${entry}")
  endif()
endforeach()
set(entries "${made}")
list(SORT entries)
set(body "")
foreach(entry IN LISTS entries)
  string(REGEX REPLACE "^(.*)[|]([0-9a-f]+)$" "\\2  \\1\n" line "${entry}")
  string(APPEND body "${line}")
endforeach()
file(WRITE "${sums}" "# ${release}, commit ${commit}, SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH}\n${body}")
message(STATUS "Checksums: ${sums}")
