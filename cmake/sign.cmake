# Authenticode signing of release files in place (SHA-256, osslsigncode) when the environment names
# a certificate: LUMIVALE_SIGN_PFX (a PKCS#12 file) and LUMIVALE_SIGN_PASSWORD; a time-stamp server
# only when LUMIVALE_SIGN_TIMESTAMP_URL is given. Without a certificate the files stay unsigned and
# one line says so. Sign after the last change to a file (after stripping, after packing an
# installer's contents).
#   cmake -P cmake/sign.cmake <file>...                    from a shell, NSIS's !finalize, ...
#   cmake -DFILES="<file>;<file>" -P cmake/sign.cmake
#   include(cmake/sign.cmake) then lumivale_sign(<file>...) from CMake code (install(CODE), CPack)
# The signing time is SOURCE_DATE_EPOCH where set (cmake/source_date.cmake), so that two signings
# of one build are the same bytes unless a time stamp is asked for.
function(lumivale_sign)
  set(names "")
  foreach(file IN LISTS ARGN)
    get_filename_component(name "${file}" NAME)
    list(APPEND names "${name}")
  endforeach()
  list(JOIN names ", " names)
  if("$ENV{LUMIVALE_SIGN_PFX}" STREQUAL "")
    message(STATUS "Unsigned (no LUMIVALE_SIGN_PFX given): ${names}")
    return()
  endif()
  if(NOT EXISTS "$ENV{LUMIVALE_SIGN_PFX}")
    message(FATAL_ERROR "LUMIVALE_SIGN_PFX names no file: $ENV{LUMIVALE_SIGN_PFX}")
  endif()
  find_program(LUMIVALE_OSSLSIGNCODE osslsigncode)
  if(NOT LUMIVALE_OSSLSIGNCODE)
    message(FATAL_ERROR "a certificate is given but osslsigncode is missing (scripts/setup installs it)")
  endif()
  # The password reaches osslsigncode through a file only its owner reads, never a command line.
  string(RANDOM LENGTH 12 tag)
  set(temp "$ENV{TMPDIR}")
  if(temp STREQUAL "")
    set(temp /tmp)
  endif()
  set(private "${temp}/lumivale-sign-${tag}")
  file(MAKE_DIRECTORY "${private}")
  file(CHMOD "${private}" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
  file(WRITE "${private}/password" "$ENV{LUMIVALE_SIGN_PASSWORD}")
  set(options -pkcs12 "$ENV{LUMIVALE_SIGN_PFX}" -readpass "${private}/password" -h sha256)
  if(NOT "$ENV{LUMIVALE_SIGN_TIMESTAMP_URL}" STREQUAL "")
    list(APPEND options -ts "$ENV{LUMIVALE_SIGN_TIMESTAMP_URL}")
  endif()
  if("$ENV{SOURCE_DATE_EPOCH}" MATCHES "^[0-9]+$")
    list(APPEND options -time "$ENV{SOURCE_DATE_EPOCH}")
  endif()
  foreach(file IN LISTS ARGN)
    file(REMOVE "${file}.signed")
    execute_process(COMMAND "${LUMIVALE_OSSLSIGNCODE}" sign ${options} -in "${file}" -out "${file}.signed"
                    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT rc EQUAL 0)
      file(REMOVE_RECURSE "${private}")
      file(REMOVE "${file}.signed")
      message(FATAL_ERROR "signing ${file} failed (${rc}):\n${out}")
    endif()
    file(RENAME "${file}.signed" "${file}")
    file(CHMOD "${file}" FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                          WORLD_READ WORLD_EXECUTE)
  endforeach()
  file(REMOVE_RECURSE "${private}")
  message(STATUS "Signed (SHA-256): ${names}")
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  # The files as -DFILES=..., or after the script's name (cmake -P sign.cmake <file>...).
  set(trailing "")
  foreach(i RANGE 3 ${CMAKE_ARGC})
    if(i LESS CMAKE_ARGC)
      list(APPEND trailing "${CMAKE_ARGV${i}}")
    endif()
  endforeach()
  lumivale_sign(${FILES} ${trailing})
endif()
