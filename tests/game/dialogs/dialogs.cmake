if(TESSAMO_GUI)
  tessamo_add_gtest(game_dialogs_test
    SOURCES SelectGameDialogTest.cpp AboutDialogTest.cpp
    LIBS tessamo_game_dialogs test_support Qt6::Widgets)
endif()
