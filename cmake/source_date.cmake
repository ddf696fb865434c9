# The release's time: SOURCE_DATE_EPOCH as the caller gives it, else the date of the commit the
# source is at, so that two builds of one commit stamp the ZIP's entries (and an installer's, and
# a signature's time) alike. Included by every release step (CPack, the install's signing, the
# installer), in CMake code or a -P script; sets the environment variable for that process and
# what it starts. LUMIVALE_SOURCE_DIR may name the source tree (default: this file's parent).
if("$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
  if(NOT LUMIVALE_SOURCE_DIR)
    get_filename_component(LUMIVALE_SOURCE_DIR "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
  endif()
  find_program(LUMIVALE_GIT git)
  set(commit_time "")
  if(LUMIVALE_GIT)
    execute_process(COMMAND "${LUMIVALE_GIT}" -C "${LUMIVALE_SOURCE_DIR}" log -1 --format=%ct
                    OUTPUT_VARIABLE commit_time OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  endif()
  if(NOT commit_time MATCHES "^[0-9]+$")
    message(FATAL_ERROR "no commit date for SOURCE_DATE_EPOCH in ${LUMIVALE_SOURCE_DIR}: give SOURCE_DATE_EPOCH")
  endif()
  set(ENV{SOURCE_DATE_EPOCH} "${commit_time}")
endif()
