if(TESSAMO_GUI)
  tessamo_add_gtest(settings_dialogs_test
    SOURCES OptionsDialogTest.cpp StatisticsDialogTest.cpp
    LIBS tessamo_settings_dialogs test_support Qt6::Widgets)
endif()
