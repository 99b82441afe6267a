# The dialog kit: the dialog frame, the command bar, translation of widgets and menus, tap
# pass-through and the builder that turns dialog templates into widgets.
if(TESSAMO_GUI)
  add_library(tessamo_dialog_kit STATIC
    ${CMAKE_CURRENT_LIST_DIR}/DialogFrame.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CommandBar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TranslateWidgets.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TapPassThrough.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DialogBuilder.cpp
  )
  set_target_properties(tessamo_dialog_kit PROPERTIES AUTOMOC ON)
  target_link_libraries(tessamo_dialog_kit PUBLIC tessamo_dialogs_core tessamo_resources_templates
    tessamo_model platform_gui Qt6::Widgets)
endif()
