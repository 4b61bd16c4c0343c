# Read by cpack once per generator: the installer and the zip share a base
# name, and the installer says what it is.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
  # The installer names its folder itself.
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
endif()
