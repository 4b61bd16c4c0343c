# Run by cpack (CPACK_PRE_BUILD_SCRIPTS) on the files it has installed and is
# about to pack. With signing configured (packaging/windows/sign) the Windows
# programs are signed here, so the zip and the installer carry signed ones.
# For a release (SOURCE_DATE_EPOCH set, see scripts/release) every file then
# gets that time: the packages store file times, and a build's files carry
# the time they were built.
set(stage "${CPACK_TEMPORARY_DIRECTORY}")
if(NOT IS_DIRECTORY "${stage}")
  message(FATAL_ERROR "no staged files in '${stage}'")
endif()

if(CPACK_SCIEDIT_SIGN AND (DEFINED ENV{SCIEDIT_SIGN_PKCS12} OR DEFINED ENV{SCIEDIT_SIGN_CERT}))
  file(GLOB_RECURSE programs "${stage}/*.exe")
  foreach(program IN LISTS programs)
    execute_process(COMMAND "${CPACK_SCIEDIT_SIGN}" "${program}" COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
endif()

if(DEFINED ENV{SOURCE_DATE_EPOCH})
  # Time stamps inside files (gzip headers, PNG chunks) are Debian's tool's job.
  file(GLOB_RECURSE files "${stage}/*")
  if(files)
    execute_process(COMMAND strip-nondeterminism --timestamp "$ENV{SOURCE_DATE_EPOCH}" ${files}
                    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  endif()
  execute_process(COMMAND find "${stage}" -exec touch -h -d "@$ENV{SOURCE_DATE_EPOCH}" {} +
                  COMMAND_ERROR_IS_FATAL ANY)
endif()
