# The Options and Statistics dialogs.
if(TESSAMO_GUI)
  add_library(tessamo_settings_dialogs STATIC
    ${CMAKE_CURRENT_LIST_DIR}/OptionsDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StatisticsDialog.cpp
  )
  target_link_libraries(tessamo_settings_dialogs PUBLIC tessamo_settings tessamo_game_dialogs)
endif()
