# Runs the real tessamo-cli against a store in a temporary folder.
tessamo_add_gtest(cli_registry_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/CliRunner.cpp ${CMAKE_CURRENT_LIST_DIR}/CliRegistryTest.cpp
  LIBS platform_core test_support)
target_compile_definitions(cli_registry_test PRIVATE TESSAMO_CLI="$<TARGET_FILE:tessamo-cli>")
add_dependencies(cli_registry_test tessamo-cli)
