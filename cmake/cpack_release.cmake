# Read by CPack before each package it makes (CPACK_PROJECT_CONFIG_FILE): the release's time, so
# that the same commit packs to the same bytes.
set(LUMIVALE_SOURCE_DIR "${CPACK_LUMIVALE_SOURCE_DIR}")
include("${CMAKE_CURRENT_LIST_DIR}/source_date.cmake")
