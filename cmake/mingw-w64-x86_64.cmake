# Cross build for 64-bit Windows with Debian's mingw-w64 (posix thread model).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# The posix drivers by their own names: once Debian's win32-model compiler is
# installed too, the unsuffixed x86_64-w64-mingw32-g++ is that one.
set(KR2_MINGW_PREFIX x86_64-w64-mingw32)
find_program(CMAKE_CXX_COMPILER NAMES ${KR2_MINGW_PREFIX}-g++-posix REQUIRED)
find_program(CMAKE_C_COMPILER NAMES ${KR2_MINGW_PREFIX}-gcc-posix)
# kr2_s1.exe alone is built by the win32-model driver of the same GCC
# (cmake/win32_thread_model.cmake).
find_program(KR2_WIN32_MODEL_CXX NAMES ${KR2_MINGW_PREFIX}-g++-win32 REQUIRED)
# Its nm, which reads the symbols of link-time-optimised objects.
find_program(KR2_WIN32_MODEL_NM NAMES ${KR2_MINGW_PREFIX}-gcc-nm-win32)
find_program(CMAKE_RC_COMPILER NAMES ${KR2_MINGW_PREFIX}-windres REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${KR2_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# The end-to-end tests run the cross-built programs under Wine, inside the
# throwaway prefix, display and sound server that the test fixture prepares.
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../tests/e2e/wine-env")
