# Builds kr2_s1.exe a second time from a copy of the source in another folder
# (another path, another length) and fails unless the two executables are the
# same bytes. Run by ctest with cmake -P:
#   -DSOURCE_DIR=<source> -DBINARY_DIR=<its build tree> -DEXE=<kr2_s1.exe there>
#   -DAGAIN_DIR=<scratch folder> -DTOOLCHAIN=<toolchain file> -DBUILD_TYPE=<config>
#   -DGENERATOR=<generator> -DMAKE_PROGRAM=<make program>
cmake_minimum_required(VERSION 3.20)

foreach(var SOURCE_DIR BINARY_DIR EXE AGAIN_DIR BUILD_TYPE GENERATOR)
  if(NOT DEFINED ${var} OR "${${var}}" STREQUAL "")
    message(FATAL_ERROR "rebuild_compare.cmake: ${var} is not set")
  endif()
endforeach()

function(run_step what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${what} failed (${rc}):\n${out}")
  endif()
endfunction()

# Where release_rebuilt_from_buildinfo runs (KR2_REBUILT_FROM_CLONE), a tree
# without uncommitted changes is built again there, from a clone in another
# folder, and its exe compared: this copy would only repeat it.
if(DEFINED ENV{KR2_REBUILT_FROM_CLONE})
  execute_process(COMMAND git -C ${SOURCE_DIR} status --porcelain --untracked-files=no
                  RESULT_VARIABLE rc OUTPUT_VARIABLE changes ERROR_QUIET)
  if(rc EQUAL 0 AND changes STREQUAL "")
    message("skipped: no uncommitted changes; release_rebuilt_from_buildinfo rebuilds the commit")
    return()
  endif()
endif()

# The compared executable must be the current source's.
run_step("Building kr2_s1 in ${BINARY_DIR}" ${CMAKE_COMMAND} --build ${BINARY_DIR} --target kr2_s1)

# A fresh copy of the source: everything but the repository and build output.
set(copy ${AGAIN_DIR}/source-copy)
set(copy_build ${AGAIN_DIR}/build)
file(REMOVE_RECURSE ${AGAIN_DIR})
file(MAKE_DIRECTORY ${copy})
file(GLOB entries LIST_DIRECTORIES true RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/* ${SOURCE_DIR}/.*)
foreach(entry IN LISTS entries)
  set(path ${SOURCE_DIR}/${entry})
  cmake_path(IS_PREFIX path "${BINARY_DIR}" NORMALIZE holds_binary_dir)
  cmake_path(IS_PREFIX path "${AGAIN_DIR}" NORMALIZE holds_again_dir)
  if(entry MATCHES "^(\\.git|build|out|dist)$" OR holds_binary_dir OR holds_again_dir)
    continue()
  endif()
  file(COPY ${path} DESTINATION ${copy})
endforeach()

set(toolchain_args)
if(TOOLCHAIN)
  file(RELATIVE_PATH toolchain_rel ${SOURCE_DIR} ${TOOLCHAIN})
  if(toolchain_rel MATCHES "^\\.\\./")
    set(toolchain_args -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN})
  else()
    set(toolchain_args -DCMAKE_TOOLCHAIN_FILE=${copy}/${toolchain_rel})
  endif()
endif()
set(make_args)
if(MAKE_PROGRAM)
  set(make_args -DCMAKE_MAKE_PROGRAM=${MAKE_PROGRAM})
endif()
# The project's own settings (KR2_*) as the first tree has them.
file(STRINGS ${BINARY_DIR}/CMakeCache.txt settings REGEX "^KR2_[A-Za-z0-9_]*:[A-Z]+=")
list(TRANSFORM settings PREPEND -D)

run_step("Configuring the copy in ${copy_build}"
  ${CMAKE_COMMAND} -S ${copy} -B ${copy_build} -G ${GENERATOR} ${make_args} ${toolchain_args}
  ${settings} -DCMAKE_BUILD_TYPE=${BUILD_TYPE})
run_step("Building kr2_s1 in ${copy_build}" ${CMAKE_COMMAND} --build ${copy_build} --target kr2_s1)

set(first ${EXE})
file(RELATIVE_PATH exe_rel ${BINARY_DIR} ${EXE})
set(second ${copy_build}/${exe_rel})
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${first} ${second} RESULT_VARIABLE differ)
if(differ)
  file(SIZE ${first} size1)
  file(SIZE ${second} size2)
  set(bytes "")
  find_program(CMP cmp)
  if(CMP)
    # Offsets are 1-based and the bytes octal. In the PE header, the link time
    # stamp sits 8 bytes after "PE\0\0" and the checksum 88 bytes after it.
    execute_process(COMMAND ${CMP} -l ${first} ${second} OUTPUT_VARIABLE bytes ERROR_VARIABLE bytes)
    string(REPLACE "\n" ";" bytes "${bytes}")
    list(SUBLIST bytes 0 8 bytes)
    list(JOIN bytes "\n" bytes)
    set(bytes "First differing bytes (offset, octal, octal):\n${bytes}\n")
  endif()
  message(FATAL_ERROR
    "The same source built in two folders gives two different kr2_s1.exe:\n"
    "  ${first} (${size1} bytes)\n  ${second} (${size2} bytes)\n${bytes}"
    "Look for a time stamp or a build path that reached the executable. "
    "The second build is kept in ${AGAIN_DIR}.")
endif()
file(REMOVE_RECURSE ${AGAIN_DIR})
message(STATUS "kr2_s1.exe is the same bytes when built from ${copy}")
