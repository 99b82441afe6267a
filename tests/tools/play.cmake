tessamo_add_gtest(cli_play_test SOURCES CliRunner.cpp CliPlayTest.cpp LIBS)
target_include_directories(cli_play_test PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_definitions(cli_play_test PRIVATE TESSAMO_CLI="$<TARGET_FILE:tessamo-cli>")
add_dependencies(cli_play_test tessamo-cli)
