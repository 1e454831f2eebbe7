# Runs one form script and compares the script's whole output with
# NAME.expected beside it line by line (the questions asked and the recorded
# printer operations are checked this way). A script whose output is only its
# closing tally needs no expected file.
#   cmake -DRUNNER=... -DSCRIPT=... [-DEXPECTED=...] -P RunFormScript.cmake
execute_process(COMMAND ${RUNNER} ${SCRIPT}
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
message("${out}${err}")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "numora-script exited with ${rc}")
endif()
# The runner's temporary folder and the time stamp a damaged journal is kept
# under change from run to run; everything else is compared as printed.
string(REGEX REPLACE "[^ \"]*numora-script-[A-Za-z0-9]+" "<temp>" out "${out}")
string(REGEX REPLACE "\\.damaged-[0-9]+-[0-9]+" ".damaged-<time>" out "${out}")
if(EXPECTED AND EXISTS "${EXPECTED}")
  file(READ "${EXPECTED}" want)
  if(NOT out STREQUAL want)
    file(WRITE "${SCRIPT_OUTPUT}" "${out}")
    message(FATAL_ERROR "output differs from ${EXPECTED}; got ${SCRIPT_OUTPUT} (diff -u the two)")
  endif()
else()
  # Output beyond the closing tally (questions asked, printer operations) is
  # what the script shows; it must be compared, not only printed.
  string(REGEX REPLACE "[0-9]+ passed, [0-9]+ failed\n$" "" shown "${out}")
  if(NOT shown STREQUAL "")
    file(WRITE "${SCRIPT_OUTPUT}" "${out}")
    message(FATAL_ERROR "the script prints output but has no ${EXPECTED}; check ${SCRIPT_OUTPUT} and keep it there")
  endif()
endif()
