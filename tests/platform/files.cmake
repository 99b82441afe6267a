tessamo_add_gtest(platform_files_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/FilesTest.cpp
  LIBS platform_core test_support)
