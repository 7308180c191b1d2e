# Fails unless platform/win32/std_throw.cpp defines exactly the std::__throw_*
# helpers that libstdc++'s functexcept.o defines. One missing: the first
# library call that needs it pulls functexcept.o in, and the link breaks on
# the others' second definitions. One too many: it lives in an object that
# brings other things too, and breaks the link once that object is needed.
# A compiler upgrade that adds a helper fails here rather than at the first
# call. Run by ctest with cmake -P:
#   -DCXX=<the driver that links kr2_s1> -DNM=<its gcc-nm, which reads LTO objects>
#   -DAR=<ar> -DOBJECTS=<kr2_s1's objects, separated by |>
cmake_minimum_required(VERSION 3.20)

foreach(var CXX NM AR OBJECTS)
  if(NOT DEFINED ${var} OR "${${var}}" STREQUAL "")
    message(FATAL_ERROR "check_throw_helpers.cmake: ${var} is not set")
  endif()
endforeach()

# Mangled names of the global functions a file defines.
function(defined_helpers out file)
  execute_process(COMMAND ${NM} --defined-only -g ${file}
    RESULT_VARIABLE rc OUTPUT_VARIABLE listing ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${NM} ${file} failed (${rc}): ${err}")
  endif()
  string(REGEX MATCHALL "[ \t][Tt][ \t]+_ZSt[0-9]+__throw_[A-Za-z0-9_]+" names "${listing}")
  list(TRANSFORM names REPLACE "^[ \t][Tt][ \t]+" "")
  list(SORT names)
  list(REMOVE_DUPLICATES names)
  set(${out} ${names} PARENT_SCOPE)
endfunction()

execute_process(COMMAND ${CXX} -print-file-name=libstdc++.a
  OUTPUT_VARIABLE library OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT IS_ABSOLUTE "${library}" OR NOT EXISTS "${library}")
  message(FATAL_ERROR "${CXX} names no libstdc++.a (${library})")
endif()
set(scratch ${CMAKE_CURRENT_BINARY_DIR}/check_throw_helpers.d)
file(REMOVE_RECURSE ${scratch})
file(MAKE_DIRECTORY ${scratch})
execute_process(COMMAND ${AR} x ${library} functexcept.o WORKING_DIRECTORY ${scratch}
  RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT EXISTS ${scratch}/functexcept.o)
  message(FATAL_ERROR "${library} has no member functexcept.o (${err}): "
                      "libstdc++ has moved its helpers; look again at std_throw.cpp")
endif()
defined_helpers(library_helpers ${scratch}/functexcept.o)
file(REMOVE_RECURSE ${scratch})

string(REPLACE "|" ";" objects "${OBJECTS}")
list(FILTER objects INCLUDE REGEX "/std_throw\\.cpp\\.[^/]*$")
list(LENGTH objects count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "kr2_s1 should have one std_throw.cpp object, has ${count}: ${objects}")
endif()
defined_helpers(own_helpers ${objects})

list(LENGTH library_helpers library_count)
if(library_count LESS 10)
  message(FATAL_ERROR "functexcept.o of ${library} defines only ${library_count} helpers "
                      "(${library_helpers}): not the object std_throw.cpp stands in for")
endif()
set(missing ${library_helpers})
list(REMOVE_ITEM missing ${own_helpers})
set(extra ${own_helpers})
list(REMOVE_ITEM extra ${library_helpers})
if(missing OR extra)
  message(FATAL_ERROR "std_throw.cpp and ${library}(functexcept.o) define different helpers.\n"
                      "Missing from std_throw.cpp: ${missing}\n"
                      "Defined elsewhere in the library: ${extra}")
endif()
message(STATUS "std_throw.cpp defines the ${library_count} helpers of functexcept.o")
