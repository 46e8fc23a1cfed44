# kelda_add_test(NAME SOURCES a.cpp b.cpp [LIBS x y] [CONCURRENCY])
# A CONCURRENCY test also runs in the ThreadSanitizer build; in that build nothing else is added.
function(kelda_add_test name)
  cmake_parse_arguments(T "CONCURRENCY" "" "SOURCES;LIBS" ${ARGN})
  if(KELDA_SANITIZER STREQUAL "thread" AND NOT T_CONCURRENCY)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "KELDA_RESOURCES=${CMAKE_SOURCE_DIR}/resources;KELDA_BIN=${CMAKE_BINARY_DIR}/bin;KELDA_SOURCE=${CMAKE_SOURCE_DIR}"
    TIMEOUT 600)
  if(T_CONCURRENCY)
    set_tests_properties(${name} PROPERTIES LABELS concurrency)
  endif()
endfunction()
