if(TESSAMO_GUI)
  tessamo_add_gtest(cli_render_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/CliRunner.cpp ${CMAKE_CURRENT_LIST_DIR}/CliRenderTest.cpp
    LIBS tessamo_view)
  target_include_directories(cli_render_test PRIVATE ${PROJECT_SOURCE_DIR})
  target_compile_definitions(cli_render_test PRIVATE
    TESSAMO_CLI="$<TARGET_FILE:tessamo-cli>" TESSAMO_DEVICE_DIR="${TESSAMO_DEVICE_DIR}")
  add_dependencies(cli_render_test tessamo-cli)
endif()
