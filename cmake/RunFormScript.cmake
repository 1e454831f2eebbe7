# Runs one form script and, when the script has a NAME.expected file beside
# it, compares the script's whole output with that file line by line (the
# recorded printer operations are checked this way).
#   cmake -DRUNNER=... -DSCRIPT=... [-DEXPECTED=...] -P RunFormScript.cmake
execute_process(COMMAND ${RUNNER} ${SCRIPT}
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
message("${out}${err}")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "numora-script exited with ${rc}")
endif()
if(EXPECTED AND EXISTS "${EXPECTED}")
  file(READ "${EXPECTED}" want)
  if(NOT out STREQUAL want)
    file(WRITE "${SCRIPT_OUTPUT}" "${out}")
    message(FATAL_ERROR "output differs from ${EXPECTED}; got ${SCRIPT_OUTPUT} (diff -u the two)")
  endif()
endif()
