tessamo_add_gtest(platform_system_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/SystemTest.cpp
  LIBS platform_core)
