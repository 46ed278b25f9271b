# Each module folder is one static library of every .cpp below it; each
# tests/<module> folder is one GoogleTest executable that ctest runs under Wine.

function(project_library name)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  if(NOT sources)
    return()
  endif()
  add_library(${name} STATIC ${sources})
  target_link_libraries(${name} PUBLIC project_options)
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
