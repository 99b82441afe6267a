# The Qt half of the platform and the help viewer.
if(TESSAMO_GUI)
  tessamo_add_gtest(platform_gui_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/GuiScreenTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/GuiModalTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/GuiMessageBoxTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/GuiShellTest.cpp
    LIBS platform_gui Qt6::Test Qt6::GuiPrivate test_support)

  tessamo_add_gtest(platform_helpviewer_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/HelpViewerTest.cpp
    LIBS helpviewer_lib Qt6::Test test_support)
  add_dependencies(platform_helpviewer_test peghelp)
  target_compile_definitions(platform_helpviewer_test PRIVATE
    TESSAMO_HELP_SOURCE="${PROJECT_SOURCE_DIR}/game/resources/help/VevivoZozoruv.htm"
    TESSAMO_BUILD_DEVICE_DIR="${TESSAMO_DEVICE_DIR}")
endif()
