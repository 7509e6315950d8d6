# iconpanel_add_test(NAME SOURCES... LIBS...): one GoogleTest program.
# Natively every test case is its own ctest test; under Wine a process start costs about a
# second, so there the whole program is one ctest test.
function(iconpanel_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 600)
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
  endif()
endfunction()

# iconpanel_add_fuzzer(NAME SOURCE LIBS...): a fuzz entry point. With ICONPANEL_FUZZERS it is
# a libFuzzer program; otherwise it is linked with a small driver that runs the entry point
# on the files it is given, and its seed corpus is replayed as a test.
function(iconpanel_add_fuzzer name source)
  add_executable(${name} ${source})
  target_link_libraries(${name} PRIVATE ${ARGN})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  if(ICONPANEL_FUZZERS)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  else()
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/fuzz/replay_main.cpp)
    set(corpus ${PROJECT_SOURCE_DIR}/fuzz/corpus/${name})
    if(ICONPANEL_TESTS AND EXISTS ${corpus})
      add_test(NAME ${name}_replay COMMAND ${name} ${corpus})
    endif()
  endif()
endfunction()

# Adds every folder below the current one that has a CMakeLists.txt, so that a subsystem's
# tests, tools or benchmarks join the build by their folder alone.
function(iconpanel_add_subdirectories)
  file(GLOB dirs LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} *)
  foreach(dir ${dirs})
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()

# iconpanel_add_fixture_program(OUTPUT [RC RC_FILE] [INCLUDE DIR] [DEPENDS FILES...]):
# a small program or library (OUTPUT ends in .exe or .dll) made with the MinGW-w64 resource
# compiler and linked without any runtime, for tests that read program files as data only.
function(iconpanel_add_fixture_program output)
  cmake_parse_arguments(ARG "" "RC;INCLUDE" "DEPENDS" ${ARGN})
  find_program(ICONPANEL_WINDRES x86_64-w64-mingw32-windres REQUIRED)
  find_program(ICONPANEL_MINGW_GCC x86_64-w64-mingw32-gcc REQUIRED)
  set(entry ${PROJECT_SOURCE_DIR}/tests/support/fixture_entry.c)
  get_filename_component(folder ${output} DIRECTORY)
  file(MAKE_DIRECTORY ${folder})
  set(link_kind)
  if(output MATCHES "\\.dll$")
    set(link_kind -shared)
  endif()
  set(inputs ${entry})
  set(commands)
  if(ARG_RC)
    set(object ${output}.res.o)
    list(APPEND inputs ${object})
    set(commands COMMAND ${ICONPANEL_WINDRES} -I ${ARG_INCLUDE} -O coff -o ${object} ${ARG_RC})
  endif()
  add_custom_command(
    OUTPUT ${output}
    ${commands}
    COMMAND ${ICONPANEL_MINGW_GCC} ${link_kind} -nostdlib -nostartfiles -e entry -s
            -o ${output} ${inputs}
    DEPENDS ${entry} ${ARG_RC} ${ARG_DEPENDS}
    VERBATIM)
endfunction()

# iconpanel_add_benchmark(NAME SOURCES... LIBS...): a Google Benchmark program, left out where
# Google Benchmark is not installed (it has no build for the Windows cross compiler).
function(iconpanel_add_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  find_package(benchmark QUIET)
  if(NOT benchmark_FOUND)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
endfunction()
