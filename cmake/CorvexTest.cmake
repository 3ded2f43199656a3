# corvex_add_test(NAME <name> SOURCES <files...> [UI])
# One Qt Test executable per test file, run by CTest under the offscreen platform.
function(corvex_add_test)
  cmake_parse_arguments(T "UI" "NAME" "SOURCES" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  if(T_UI)
    target_link_libraries(${T_NAME} PRIVATE corvex_ui Qt6::Test)
  else()
    target_link_libraries(${T_NAME} PRIVATE corvex_core Qt6::Test)
  endif()
  target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  # Sample data by its place in the source tree, so a test finds the same files from any working directory.
  target_compile_definitions(${T_NAME} PRIVATE CORVEX_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT 120
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QTEST_FUNCTION_TIMEOUT=60000")
endfunction()
