tessamo_add_gtest(platform_modules_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ModulesTest.cpp
  LIBS platform_core test_support tessamo_resource_writer)
