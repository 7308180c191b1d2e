# kr2_s1.exe is compiled and linked by the win32-thread-model driver of the
# same GCC (KR2_WIN32_MODEL_CXX, found by the toolchain file). Its static
# runtime is then the libstdc++ and libgcc built on Win32's own primitives:
# the launcher starts no thread, and with the posix model winpthreads came in
# anyway, through libstdc++'s static-local guards and emergency exception
# pool and libgcc's emulated thread-local storage (25,600 bytes of the
# stripped exe). Everything else keeps the posix model of the tree's own
# compiler: GoogleTest and the end-to-end programs use std::thread and
# std::mutex.
#
# A build tree has one C++ compiler, so the launcher's targets reach the
# other driver through their compiler and linker launchers
# (run-other-driver.sh): the command line is CMake's, the driver the win32
# one. The two models' headers differ (bits/gthr-default.h), so nothing the
# posix driver compiled goes into kr2_s1.exe: it links copies of the tree's
# libraries, <name>_w32, compiled by the win32 driver, while the tests keep
# linking the originals.
#
# Without KR2_WIN32_MODEL_CXX (a toolchain that does not name one) the
# launcher is built like everything else and links the originals.

find_program(KR2_SH sh REQUIRED)
set(KR2_WIN32_MODEL_LAUNCHER ${CMAKE_CURRENT_LIST_DIR}/run-other-driver.sh)

# Compiles and links <target> with the win32-model driver.
function(kr2_win32_model target)
  if(NOT KR2_WIN32_MODEL_CXX)
    return()
  endif()
  set(launcher ${KR2_SH} ${KR2_WIN32_MODEL_LAUNCHER} ${KR2_WIN32_MODEL_CXX})
  set_target_properties(${target} PROPERTIES
    CXX_COMPILER_LAUNCHER "${launcher}"
    CXX_LINKER_LAUNCHER "${launcher}")
endfunction()

# Makes <base>_w32, a copy of the static library <base> compiled by the
# win32-model driver: the same sources, options, definitions and include
# directories, its kr2_ libraries replaced by their own copies (make those
# first). Sets <out_var> to the library kr2_s1 should link: the copy, or
# <base> itself when there is no win32 driver. Call it once <base> is
# complete: later changes to <base> do not reach the copy.
function(kr2_win32_model_copy base out_var)
  if(NOT KR2_WIN32_MODEL_CXX)
    set(${out_var} ${base} PARENT_SCOPE)
    return()
  endif()
  get_target_property(type ${base} TYPE)
  if(NOT type STREQUAL "STATIC_LIBRARY")
    message(FATAL_ERROR "kr2_win32_model_copy: ${base} is a ${type}, not a static library")
  endif()
  set(copy ${base}_w32)
  get_target_property(dir ${base} SOURCE_DIR)
  get_target_property(sources ${base} SOURCES)
  set(absolute "")
  foreach(source IN LISTS sources)
    cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${dir})
    list(APPEND absolute ${source})
  endforeach()
  add_library(${copy} STATIC ${absolute})

  # Set, not appended: the copy's own folder must not add its options twice.
  foreach(prop COMPILE_OPTIONS COMPILE_DEFINITIONS INCLUDE_DIRECTORIES
               INTERFACE_COMPILE_OPTIONS INTERFACE_COMPILE_DEFINITIONS
               INTERFACE_INCLUDE_DIRECTORIES CXX_STANDARD CXX_STANDARD_REQUIRED
               CXX_EXTENSIONS)
    get_property(is_set TARGET ${base} PROPERTY ${prop} SET)
    if(is_set)
      get_property(value TARGET ${base} PROPERTY ${prop})
      set_property(TARGET ${copy} PROPERTY ${prop} "${value}")
    else()
      set_property(TARGET ${copy} PROPERTY ${prop})
    endif()
  endforeach()

  foreach(prop LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
    get_target_property(libs ${base} ${prop})
    set(mapped "")
    foreach(lib IN LISTS libs)
      if(lib MATCHES "^kr2_" AND TARGET ${lib}_w32)
        list(APPEND mapped ${lib}_w32)
      elseif(lib MATCHES "kr2_")
        message(FATAL_ERROR "kr2_win32_model_copy: ${base} links ${lib}, "
                            "which has no win32-model copy yet")
      elseif(lib)
        list(APPEND mapped ${lib})
      endif()
    endforeach()
    set_property(TARGET ${copy} PROPERTY ${prop} "${mapped}")
  endforeach()

  kr2_win32_model(${copy})
  set(${out_var} ${copy} PARENT_SCOPE)
endfunction()
