# Fails when any part of winpthreads went into kr2_s1.exe. The exe is
# stripped, so this reads the linker's map of the same link: an archive
# member taken from libwinpthread/libpthread (static or import library), a
# pthread_ function or variable placed in the output, or the winpthreads
# DLL named anywhere. Run by ctest with cmake -P:
#   -DMAP=<kr2_s1.map> -DEXE=<kr2_s1.exe>
cmake_minimum_required(VERSION 3.20)

foreach(var MAP EXE)
  if(NOT DEFINED ${var} OR NOT EXISTS "${${var}}")
    message(FATAL_ERROR "check_no_winpthreads.cmake: ${var} (${${var}}) does not exist")
  endif()
endforeach()

# The map must be the exe's own: written by the same link, so not older
# than the exe by more than the link's last step takes.
file(TIMESTAMP "${MAP}" map_time "%s" UTC)
file(TIMESTAMP "${EXE}" exe_time "%s" UTC)
math(EXPR age "${exe_time} - ${map_time}")
if(age GREATER 60)
  message(FATAL_ERROR "${MAP} is ${age} s older than ${EXE}: it is not from the exe's link "
                      "(is -Wl,-Map= still among kr2_s1's link options?)")
endif()

# Read whole: a map line may hold brackets or semicolons, which a CMake list
# of lines would not keep apart.
file(READ "${MAP}" map)
get_filename_component(exe_name "${EXE}" NAME)
string(FIND "${map}" "\nOUTPUT(${exe_name} " output_at)
if(output_at EQUAL -1)
  set(is_map FALSE)
else()
  set(is_map TRUE)
endif()
# An archive member: ".../libwinpthread.a(thread.o)", "libpthread.dll.a(...)".
# A symbol in the memory map: "   0x... pthread_mutex_lock". The DLL by name.
string(REGEX MATCHALL "[^ \t\n]*lib(win)?pthread[^ /(\n]*\\.a\\([^)\n]*\\)" members "${map}")
string(REGEX MATCHALL "\n[ \t]+0x[0-9a-fA-F]+[ \t]+_*pthread_[A-Za-z0-9_]*" symbols "${map}")
string(REGEX MATCHALL "libwinpthread-[0-9]+\\.dll" dlls "${map}")
set(found ${members} ${symbols} ${dlls})
list(TRANSFORM found STRIP)
list(REMOVE_DUPLICATES found)

if(NOT is_map)
  message(FATAL_ERROR "${MAP} is not the linker map of ${exe_name} (no OUTPUT(${exe_name} ...) line)")
endif()
if(found)
  list(LENGTH found count)
  list(SUBLIST found 0 12 shown)
  list(JOIN shown "\n" shown)
  message(FATAL_ERROR
    "${exe_name} holds winpthreads (${count} hits in ${MAP}; the first ones):\n${shown}\n"
    "kr2_s1 and every library in it are built by the win32-thread-model driver "
    "(cmake/win32_thread_model.cmake); something posix-model came back in.")
endif()
message(STATUS "${exe_name}: no winpthreads member, symbol or DLL in ${MAP}")
