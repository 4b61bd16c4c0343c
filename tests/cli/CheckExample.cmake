# Runs a scripts/make-example-* script into a scratch folder and compares its
# result with the committed example file. COMPARE is "bytes", or "export" for
# a server list: its export without the preamble, whose two random bytes
# every save draws anew.
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
get_filename_component(name "${COMMITTED}" NAME)
set(made "${WORK_DIR}/${name}")
set(ENV{SCITOOL_RUNNER} "${RUNNER}")
execute_process(COMMAND "${SCRIPT}" "${SCITOOL}" "${made}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${SCRIPT} failed: ${result}")
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

if(COMPARE STREQUAL "export")
  export_without_preamble("${COMMITTED}" committed_json)
  export_without_preamble("${made}" made_json)
  string(COMPARE NOTEQUAL "${committed_json}" "${made_json}" differs)
elseif(COMPARE STREQUAL "bytes")
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${COMMITTED}" "${made}"
                  RESULT_VARIABLE differs)
else()
  message(FATAL_ERROR "COMPARE must be bytes or export, not '${COMPARE}'")
endif()
if(differs)
  message(FATAL_ERROR "${COMMITTED} differs from what ${SCRIPT} makes; "
                      "run the script and commit the result")
endif()
