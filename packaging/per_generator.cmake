# Read by cpack for each generator of the run: the installer is Lumivale-<version>-<arch>-setup.exe
# beside the ZIP Lumivale-<version>-<arch>.zip.
if(CPACK_GENERATOR STREQUAL "NSIS")
  string(APPEND CPACK_PACKAGE_FILE_NAME "-setup")
endif()
# The release's time for every package of the run (cmake/source_date.cmake).
set(LUMIVALE_SOURCE_DIR "${CPACK_LUMIVALE_SOURCE_DIR}")
include("${CPACK_LUMIVALE_SOURCE_DIR}/cmake/source_date.cmake")
