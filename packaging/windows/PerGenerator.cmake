# Read by cpack once per generator: the installer and the zip share a base
# name, and the installer says what it is.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
  # The installer names its folder itself.
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
  # With a signing key the uninstaller is signed before it goes into the
  # installer, and the installer once written.
  set(CPACK_SCIEDIT_NSIS_SIGNING "")
  if(DEFINED ENV{SCIEDIT_SIGN_PKCS12} OR DEFINED ENV{SCIEDIT_SIGN_CERT})
    set(CPACK_SCIEDIT_NSIS_SIGNING
        "!uninstfinalize '\"${CPACK_SCIEDIT_SIGN}\" \"%1\"'\n!finalize '\"${CPACK_SCIEDIT_SIGN}\" \"%1\"'")
  endif()
endif()
