# Fails when a file is larger than its budget. The same source always gives
# the same kr2_s1.exe, so its size is a fact to check, not a figure to
# sample. Run by ctest with cmake -P:
#   -DFILE=<file> -DBUDGET=<bytes>
cmake_minimum_required(VERSION 3.20)

if(NOT DEFINED FILE OR NOT EXISTS "${FILE}")
  message(FATAL_ERROR "check_size.cmake: FILE (${FILE}) does not exist")
endif()
if(NOT BUDGET MATCHES "^[0-9]+$")
  message(FATAL_ERROR "check_size.cmake: BUDGET (${BUDGET}) is not a number of bytes")
endif()
file(SIZE "${FILE}" size)
math(EXPR left "${BUDGET} - ${size}")
if(size GREATER BUDGET)
  math(EXPR over "${size} - ${BUDGET}")
  message(FATAL_ERROR "${FILE} is ${size} bytes, ${over} over its budget of ${BUDGET}. "
                      "The link map beside it (kr2_s1.map) shows what went in.")
endif()
message(STATUS "${FILE}: ${size} bytes, ${left} under its budget of ${BUDGET}")
