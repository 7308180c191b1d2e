# Second compiler for 64-bit Windows: Debian's clang 14 and lld, for the same
# mingw-w64 target as cmake/mingw-w64-x86_64.cmake, with the same headers
# and the same static runtime as the release: mingw-w64's headers and CRT,
# and GCC 12's win32-thread-model libstdc++ and libgcc (the launcher's
# runtime, cmake/win32_thread_model.cmake). Only the compiler and the linker
# differ. The release stays GCC's; this tree builds kr2_s1.exe alone, and the
# win64 tree's GUI test programs run it (tests/e2e/second_compiler.cmake).
#
# Clang 14 does not find Debian's GCC runtime by itself: it reads the folder
# names 12-posix and 12-win32 under /usr/lib/gcc/x86_64-w64-mingw32 as no
# version at all. So its C++ headers and libraries are named here, and the
# sysroot keeps the host's /usr/include and /usr/lib out of the search.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KR2_MINGW_PREFIX x86_64-w64-mingw32)
set(KR2_MINGW_SYSROOT /usr/${KR2_MINGW_PREFIX})
find_program(CMAKE_CXX_COMPILER NAMES clang++-14 REQUIRED)
find_program(CMAKE_C_COMPILER NAMES clang-14)
set(CMAKE_CXX_COMPILER_TARGET ${KR2_MINGW_PREFIX})
set(CMAKE_C_COMPILER_TARGET ${KR2_MINGW_PREFIX})
# llvm-ar and llvm-ranlib: the archives of a link-time-optimised build hold
# LLVM bitcode.
find_program(CMAKE_AR NAMES llvm-ar-14 REQUIRED)
find_program(CMAKE_RANLIB NAMES llvm-ranlib-14 REQUIRED)
# The same resource compiler as the release: GNU windres (with the mingw-w64
# C preprocessor).
find_program(CMAKE_RC_COMPILER NAMES ${KR2_MINGW_PREFIX}-windres REQUIRED)

# The win32-model GCC's own folder: the C++ headers under include/c++, and
# libstdc++.a, libgcc.a and libgcc_eh.a.
find_program(KR2_CLANG_GCC_RUNTIME_DRIVER NAMES ${KR2_MINGW_PREFIX}-g++-win32 REQUIRED)
execute_process(COMMAND ${KR2_CLANG_GCC_RUNTIME_DRIVER} -print-libgcc-file-name
  OUTPUT_VARIABLE libgcc OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE rc)
get_filename_component(KR2_GCC_RUNTIME_DIR "${libgcc}" DIRECTORY)
if(NOT rc EQUAL 0 OR NOT EXISTS "${KR2_GCC_RUNTIME_DIR}/libstdc++.a"
   OR NOT EXISTS "${KR2_GCC_RUNTIME_DIR}/include/c++/x86_64-w64-mingw32/bits/c++config.h")
  message(FATAL_ERROR "${KR2_CLANG_GCC_RUNTIME_DRIVER} names no GCC runtime folder with "
                      "libstdc++.a and its headers (${libgcc})")
endif()

set(kr2_cxx_runtime_headers
  "-stdlib++-isystem ${KR2_GCC_RUNTIME_DIR}/include/c++"
  "-stdlib++-isystem ${KR2_GCC_RUNTIME_DIR}/include/c++/${KR2_MINGW_PREFIX}"
  "-stdlib++-isystem ${KR2_GCC_RUNTIME_DIR}/include/c++/backward")
list(JOIN kr2_cxx_runtime_headers " " kr2_cxx_runtime_headers)
set(CMAKE_C_FLAGS_INIT "--sysroot=${KR2_MINGW_SYSROOT}")
set(CMAKE_CXX_FLAGS_INIT "--sysroot=${KR2_MINGW_SYSROOT} ${kr2_cxx_runtime_headers}")
# The PE header as GNU ld writes the release's: subsystem 5.2 and OS 4.0, so
# that Windows XP x64 and Server 2003 x64 load it too (lld's defaults say
# 6.0, Vista), a 2 MiB stack, and no claim to be Terminal Server aware.
set(kr2_pe_header
  -Wl,--major-os-version=4,--minor-os-version=0
  -Wl,--major-subsystem-version=5,--minor-subsystem-version=2
  -Wl,--stack=0x200000 -Wl,--disable-tsaware)
list(JOIN kr2_pe_header " " kr2_pe_header)
foreach(kind EXE SHARED MODULE)
  set(CMAKE_${kind}_LINKER_FLAGS_INIT "-fuse-ld=lld -L${KR2_GCC_RUNTIME_DIR} ${kr2_pe_header}")
endforeach()

set(CMAKE_FIND_ROOT_PATH ${KR2_MINGW_SYSROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../tests/e2e/wine-env")
