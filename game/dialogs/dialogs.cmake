# The Select Game and About dialogs, and the initialisation steps that the game's dialogs share.
if(TESSAMO_GUI)
  add_library(tessamo_game_dialogs STATIC
    ${CMAKE_CURRENT_LIST_DIR}/DialogInit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SelectGameDialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AboutDialog.cpp
  )
  target_link_libraries(tessamo_game_dialogs PUBLIC tessamo_dialog_kit tessamo_help tessamo_view
    platform_gui Qt6::Widgets)
endif()
