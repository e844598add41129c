# Converts every corpus input listed in HASHES with caplift-convert in the default mode and checks
# the SHA-256 of each output against the one recorded there.
#   cmake -DCONVERT=<caplift-convert> -DCORPUS=<dir> -DHASHES=<file> -DWORK=<dir> -P THIS
if(NOT IS_DIRECTORY "${CORPUS}")
  message("corpus not found at ${CORPUS}: skipped")
  return()
endif()
file(MAKE_DIRECTORY "${WORK}")
file(STRINGS "${HASHES}" lines REGEX "^[0-9a-f]")
set(checked 0)
foreach(line IN LISTS lines)
  string(SUBSTRING "${line}" 0 64 expected)
  string(SUBSTRING "${line}" 65 -1 input)
  execute_process(COMMAND "${CONVERT}" "${CORPUS}/${input}" OUTPUT_FILE "${WORK}/default.srt"
                  RESULT_VARIABLE status)
  file(SHA256 "${WORK}/default.srt" actual)
  if(NOT status EQUAL 0 OR NOT actual STREQUAL expected)
    message(SEND_ERROR "${input}: exit status ${status}, output SHA-256 ${actual}, expected ${expected}")
  endif()
  math(EXPR checked "${checked} + 1")
endforeach()
message("${checked} corpus inputs give the recorded default output")
