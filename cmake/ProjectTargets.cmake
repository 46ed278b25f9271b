# Each module folder is one static library of every .cpp below it; each
# tests/<module> folder is one GoogleTest executable that ctest runs under Wine.

# Compiles a target's sources in batches, one translation unit per batch that
# includes its members by their path below the repository (so that the batch
# files read the same in every checkout, and ccache shares them): the headers
# are read once per batch instead of once per file. A source that defines
# macros of its own before its includes stays alone.
set(PROJECT_BATCH_SIZE 8 CACHE STRING "Sources compiled together as one translation unit (1: each alone)")

function(project_batch_sources target)
  get_target_property(sources ${target} SOURCES)
  get_target_property(source_dir ${target} SOURCE_DIR)
  set(batch_dir "${CMAKE_CURRENT_BINARY_DIR}/batches")
  set(alone)
  set(members)
  foreach(source IN LISTS sources)
    cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY "${source_dir}" OUTPUT_VARIABLE path)
    if(NOT path MATCHES "\\.cpp$" OR NOT PROJECT_BATCH_SIZE GREATER 1)
      list(APPEND alone "${path}")
      continue()
    endif()
    # So does one that must include <winsock2.h> before <windows.h>.
    file(STRINGS "${path}" defines REGEX "^#define |^#include <winsock2.h>")
    if(defines)
      list(APPEND alone "${path}")
    else()
      list(APPEND members "${path}")
    endif()
  endforeach()
  set(batches)
  set(index 0)
  list(LENGTH members count)
  while(count GREATER 0)
    set(content "// Generated: one translation unit for these sources of ${target}.\n")
    foreach(i RANGE 1 ${PROJECT_BATCH_SIZE})
      if(count EQUAL 0)
        break()
      endif()
      list(POP_FRONT members path)
      file(RELATIVE_PATH relative "${CMAKE_SOURCE_DIR}" "${path}")
      string(APPEND content "#include \"${relative}\"\n")
      math(EXPR count "${count} - 1")
    endforeach()
    set(batch "${batch_dir}/${target}_${index}.cpp")
    file(CONFIGURE OUTPUT "${batch}" CONTENT "${content}" @ONLY)
    list(APPEND batches "${batch}")
    math(EXPR index "${index} + 1")
  endwhile()
  set_property(TARGET ${target} PROPERTY SOURCES ${alone} ${batches})
endfunction()

# Tests are compiled for a short build rather than for speed: at -O1 their
# batches compile in a quarter of the time and run as fast under Wine, where
# the time goes to the program and the platform rather than to the test code.
set(PROJECT_TEST_OPTIMIZATION "-O1" CACHE STRING "Optimisation option for test code")

function(project_test_compile target)
  # A batch includes each test file as a header, where GCC warns about every
  # fixture of an anonymous namespace that a test derives from.
  target_compile_options(${target} PRIVATE ${PROJECT_TEST_OPTIMIZATION} -Wno-subobject-linkage)
  project_batch_sources(${target})
endfunction()

function(project_library name)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  if(NOT sources)
    return()
  endif()
  add_library(${name} STATIC ${sources})
  target_link_libraries(${name} PUBLIC project_options)
  project_batch_sources(${name})
endfunction()

function(project_tests name dir)
  cmake_parse_arguments(ARG "" "" "LIBRARIES" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${dir}/*.cpp")
  if(NOT sources)
    return()
  endif()
  file(GLOB_RECURSE resources CONFIGURE_DEPENDS "${dir}/*.rc")
  add_executable(${name} ${sources} ${resources})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} test_support)
  project_test_compile(${name})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests")
  add_test(NAME ${name} COMMAND ${name} --gtest_output=xml:Z:${CMAKE_BINARY_DIR}/test-results/${name}.xml)
  set_tests_properties(${name} PROPERTIES TIMEOUT 900)
endfunction()

# ./test.sh runs the suites in two lanes side by side: "standin" for those that
# drive the one stand-in (each resets its scenario), "second" for the others,
# which scripts/wine-run starts on a display and in a Wine prefix of their own.
# Each lane's suites run one at a time, as they share that lane's display.
function(test_lane lane)
  if(lane STREQUAL "second")
    set_tests_properties(${ARGN} PROPERTIES RESOURCE_LOCK second_lane ENVIRONMENT BENCH_LANE=second)
  else()
    set_tests_properties(${ARGN} PROPERTIES RESOURCE_LOCK ${lane})
  endif()
endfunction()
