# kr2_s1.exe: program/ on top of the screen and the ports, with the
# resources. Included by platform/win32/CMakeLists.txt.
enable_language(RC)

set(KR2_ASSETS_DIR ${PROJECT_SOURCE_DIR}/assets)

add_executable(kr2_s1 WIN32
  program/main.cpp
  program/message_loop.cpp
  program/describe_failure.cpp
  program/std_throw.cpp
  program/load_config.cpp
  program/kr2_s1.rc
)
set_target_properties(kr2_s1 PROPERTIES
  OUTPUT_NAME kr2_s1
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}
)
target_include_directories(kr2_s1 PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/program ${CMAKE_CURRENT_SOURCE_DIR} ${KR2_ASSETS_DIR})
if(MINGW)
  # Built with the win32 thread model's runtime, its libraries too
  # (cmake/win32_thread_model.cmake); the tests keep the posix originals.
  kr2_win32_model_copy(kr2_core kr2_s1_core)
  kr2_win32_model_copy(kr2_windows kr2_s1_windows)
  kr2_win32_model_copy(kr2_platform kr2_s1_platform)
  kr2_win32_model_copy(kr2_screen kr2_s1_screen)
  kr2_win32_model(kr2_s1)
  target_link_libraries(kr2_s1 PRIVATE ${kr2_s1_screen})
  # kr2_s1 and the libraries made for it alone, not the tests' originals; in
  # a tree that builds the launcher alone (KR2_LAUNCHER_ONLY) the originals
  # are the launcher's too.
  set(kr2_s1_parts kr2_s1 ${kr2_s1_core} ${kr2_s1_windows} ${kr2_s1_platform} ${kr2_s1_screen})
  if(NOT KR2_LAUNCHER_ONLY)
    list(REMOVE_ITEM kr2_s1_parts kr2_core kr2_windows kr2_platform kr2_screen)
  endif()
  # The release build is optimised as one program at link time: inlining
  # across the libraries drops whole functions and vtables.
  set_property(TARGET ${kr2_s1_parts} PROPERTY INTERPROCEDURAL_OPTIMIZATION_MINSIZEREL ON)
  # The launcher asks no type of an object at run time (a dynamic_cast or
  # typeid would not compile) and starts no thread, so its local statics
  # need no guard.
  foreach(part IN LISTS kr2_s1_parts)
    target_compile_options(${part} PRIVATE -fno-rtti -fno-threadsafe-statics
                           $<$<CONFIG:MinSizeRel>:-Oz>)
  endforeach()
else()
  target_link_libraries(kr2_s1 PRIVATE kr2_screen)
endif()
kr2_static_runtime(kr2_s1)

# The resource script pulls in the manifest and the generated artwork.
set(KR2_PROGRAM_DIR ${CMAKE_CURRENT_SOURCE_DIR}/program)
set_source_files_properties(program/kr2_s1.rc PROPERTIES OBJECT_DEPENDS
  "${KR2_PROGRAM_DIR}/kr2_s1.manifest;${CMAKE_CURRENT_SOURCE_DIR}/resource.h;${KR2_PROGRAM_DIR}/version.h;${KR2_ASSETS_DIR}/kr2_s1.ico;${KR2_ASSETS_DIR}/picture.packed")

if(MINGW)
  # wWinMain; the .rc is UTF-8.
  target_link_options(kr2_s1 PRIVATE -municode)
  # A COMPILE_LANGUAGE:RC option on the target does not reach windres under
  # Ninja; the source's own options do.
  set_property(SOURCE program/kr2_s1.rc APPEND PROPERTY COMPILE_OPTIONS -c65001)
  # A small stripped executable: unused code dropped, symbols stripped.
  target_compile_options(kr2_s1 PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-ffunction-sections -fdata-sections>)
  target_link_options(kr2_s1 PRIVATE -Wl,--gc-sections $<$<NOT:$<CONFIG:Debug>>:-s>)
  # What went into the stripped exe, and from which archive member, for the
  # checks below and for size work.
  set(KR2_S1_MAP ${CMAKE_BINARY_DIR}/kr2_s1.map)
  target_link_options(kr2_s1 PRIVATE -Wl,-Map=${KR2_S1_MAP})
  # The load configuration (program/load_config.cpp) is referenced by no
  # code, only by the PE header, which lld points at it; GNU ld keeps it but
  # leaves the header's entry to be written after the link.
  target_link_options(kr2_s1 PRIVATE -Wl,-u,_load_config_used)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    find_package(Python3 REQUIRED COMPONENTS Interpreter)
    add_custom_command(TARGET kr2_s1 POST_BUILD
      COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/cmake/pe_load_config.py $<TARGET_FILE:kr2_s1> ${KR2_S1_MAP}
      VERBATIM)
    # A change to the patch links (and patches) the exe again.
    set_property(TARGET kr2_s1 APPEND PROPERTY LINK_DEPENDS ${PROJECT_SOURCE_DIR}/cmake/pe_load_config.py)
  endif()
endif()

if(MSVC)
  target_compile_options(kr2_s1 PRIVATE $<$<COMPILE_LANGUAGE:RC>:/c65001>)
  target_link_options(kr2_s1 PRIVATE /DEPENDENTLOADFLAG:0x800)
endif()

# The release's own checks, for the release's compiler (a second compiler's
# exe, cmake/clang-mingw-w64-x86_64.cmake, is held to the GUI tests alone).
if(MINGW AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # The same source, copied to another folder and built there, must give the
  # same kr2_s1.exe byte for byte.
  add_test(NAME reproducible_kr2_s1
    COMMAND ${CMAKE_COMMAND}
      -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DBINARY_DIR=${CMAKE_BINARY_DIR}
      -DEXE=$<TARGET_FILE:kr2_s1> -DAGAIN_DIR=${CMAKE_BINARY_DIR}-again
      -DTOOLCHAIN=${CMAKE_TOOLCHAIN_FILE} -DBUILD_TYPE=${CMAKE_BUILD_TYPE}
      -DGENERATOR=${CMAKE_GENERATOR} -DMAKE_PROGRAM=${CMAKE_MAKE_PROGRAM}
      -P ${PROJECT_SOURCE_DIR}/cmake/rebuild_compare.cmake)
  # A build of both cores: nothing else runs meanwhile, so the timing of the
  # end-to-end groups never depends on it.
  set_tests_properties(reproducible_kr2_s1 PROPERTIES RUN_SERIAL TRUE)
  # Where the end-to-end tests are built, release_rebuilt_from_buildinfo
  # builds a tree without uncommitted changes again from a clone in another
  # folder and compares the exe: this copy's rebuild runs only where that
  # one is skipped. That one comes first, even in a run that picks this
  # test alone (its fixture).
  if(CMAKE_CROSSCOMPILING AND NOT KR2_LAUNCHER_ONLY)
    set_tests_properties(reproducible_kr2_s1 PROPERTIES ENVIRONMENT KR2_REBUILT_FROM_CLONE=1
                         SKIP_REGULAR_EXPRESSION "skipped: no uncommitted changes"
                         FIXTURES_REQUIRED rebuilt_from_clone)
  endif()
  # The launcher starts no thread: winpthreads has no business in it.
  add_test(NAME kr2_s1_no_winpthreads
    COMMAND ${CMAKE_COMMAND} -DMAP=${KR2_S1_MAP} -DEXE=$<TARGET_FILE:kr2_s1>
      -P ${PROJECT_SOURCE_DIR}/cmake/check_no_winpthreads.cmake)
  # The release exe, stripped as it ships, stays within 96 KiB.
  if(CMAKE_BUILD_TYPE STREQUAL "MinSizeRel")
    set(KR2_S1_SIZE_BUDGET 98304)
    add_test(NAME kr2_s1_size_budget
      COMMAND ${CMAKE_COMMAND} -DFILE=$<TARGET_FILE:kr2_s1> -DBUDGET=${KR2_S1_SIZE_BUDGET}
        -P ${PROJECT_SOURCE_DIR}/cmake/check_size.cmake)
  endif()
  # std_throw.cpp stands in for the whole of one library object, so it must
  # define exactly the helpers that object defines.
  if(KR2_WIN32_MODEL_CXX AND KR2_WIN32_MODEL_NM)
    add_test(NAME kr2_s1_throw_helpers
      COMMAND ${CMAKE_COMMAND} -DCXX=${KR2_WIN32_MODEL_CXX} -DNM=${KR2_WIN32_MODEL_NM}
        -DAR=${CMAKE_AR} "-DOBJECTS=$<JOIN:$<TARGET_OBJECTS:kr2_s1>,|>"
        -P ${PROJECT_SOURCE_DIR}/cmake/check_throw_helpers.cmake)
  endif()
endif()

# The stand-in game for the demo layout made by scripts/run.
include(${PROJECT_SOURCE_DIR}/demo/demo.cmake)
