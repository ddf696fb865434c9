# Read by cpack for each generator of the run: the installer is Lumivale-<version>-<arch>-setup.exe
# beside the ZIP Lumivale-<version>-<arch>.zip.
if(CPACK_GENERATOR STREQUAL "NSIS")
  string(APPEND CPACK_PACKAGE_FILE_NAME "-setup")
endif()
# The release's time for every package of the run (cmake/source_date.cmake).
set(LUMIVALE_SOURCE_DIR "${CPACK_LUMIVALE_SOURCE_DIR}")
include("${CPACK_LUMIVALE_SOURCE_DIR}/cmake/source_date.cmake")
# The installer's signing hook: the configured command, else cmake/sign.cmake when the environment
# names a certificate. Without either there is no hook at all, so that an unsigned installer is the
# same bytes whatever folder it was built in.
if(NOT CPACK_LUMIVALE_SIGN_COMMAND AND NOT "$ENV{LUMIVALE_SIGN_PFX}" STREQUAL "")
  set(CPACK_LUMIVALE_SIGN_COMMAND "${CPACK_LUMIVALE_SIGN_DEFAULT}")
endif()
