tessamo_add_gtest(dialogs_help_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/HelpLaunchTest.cpp
  LIBS tessamo_help test_support)
