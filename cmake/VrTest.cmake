# vr_add_test(NAME <target> LABEL <subsystem> SOURCES <files...> LIBS <libs...>)
# Builds one GoogleTest program and registers each of its cases with CTest,
# labelled with the subsystem folder so `ctest -L <subsystem>` runs just that.
find_package(GTest REQUIRED)
include(GoogleTest)

function(vr_add_test)
  cmake_parse_arguments(T "" "NAME;LABEL" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${T_NAME} PRIVATE
    VR_TEST_FIXTURES="${CMAKE_SOURCE_DIR}/tests/fixtures"
    VR_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    VR_BIN_DIR="${VR_BIN_DIR}")
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  gtest_discover_tests(${T_NAME}
    PROPERTIES LABELS ${T_LABEL}
    DISCOVERY_TIMEOUT 60)
endfunction()
