# Runs scripts/make-example-list into a scratch folder and compares what
# the result holds with the committed examples/servers.bin: their exports
# without the preamble, whose two random bytes every save draws anew.
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
set(ENV{SCITOOL_RUNNER} "${RUNNER}")
execute_process(
  COMMAND "${SCRIPT}" "${SCITOOL}" "${WORK_DIR}/servers.bin"
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "make-example-list failed: ${result}")
endif()
function(export_without_preamble list out)
  execute_process(
    COMMAND ${RUNNER} "${SCITOOL}" export "${list}"
    OUTPUT_VARIABLE json
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "scitool export ${list} failed: ${result}")
  endif()
  string(REGEX REPLACE "\"preamble\": \"[0-9A-F]+\"" "" json "${json}")
  set(${out} "${json}" PARENT_SCOPE)
endfunction()
export_without_preamble("${COMMITTED}" committed)
export_without_preamble("${WORK_DIR}/servers.bin" made)
if(NOT committed STREQUAL made)
  message(FATAL_ERROR "${COMMITTED} differs from what scripts/make-example-list makes; "
                      "run the script and commit the result")
endif()
