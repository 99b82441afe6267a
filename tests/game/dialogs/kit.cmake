if(TESSAMO_GUI)
  tessamo_add_gtest(dialogs_kit_test
    SOURCES DialogFrameTest.cpp DialogBuilderTest.cpp TranslateWidgetsTest.cpp
      TapPassThroughTest.cpp
    LIBS tessamo_dialog_kit test_support Qt6::Widgets Qt6::Test)
endif()
