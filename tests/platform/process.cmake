tessamo_add_gtest(platform_process_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ProcessTest.cpp
  LIBS platform_core test_support)
