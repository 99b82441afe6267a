# The dialog templates, menus and menu-bar descriptions as tables (plain C++).
add_library(tessamo_resources_templates STATIC
  ${CMAKE_CURRENT_LIST_DIR}/DialogTemplates.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Menus.cpp
)
target_link_libraries(tessamo_resources_templates PUBLIC platform_headers)
