# Runs scripts/make-example-config into a scratch folder and compares the
# result with the committed examples/IPConfig.cfg.
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
set(ENV{SCITOOL_RUNNER} "${RUNNER}")
execute_process(
  COMMAND "${SCRIPT}" "${SCITOOL}" "${WORK_DIR}/IPConfig.cfg"
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "make-example-config failed: ${result}")
endif()
execute_process(
  COMMAND "${CMAKE_COMMAND}" -E compare_files "${COMMITTED}" "${WORK_DIR}/IPConfig.cfg"
  RESULT_VARIABLE differs)
if(NOT differs EQUAL 0)
  message(FATAL_ERROR "${COMMITTED} differs from what scripts/make-example-config makes; "
                      "run the script and commit the result")
endif()
