# The program's string table (English texts by id).
add_library(tessamo_resources_strings STATIC
  ${CMAKE_CURRENT_LIST_DIR}/StringTable.cpp
)
target_link_libraries(tessamo_resources_strings PUBLIC platform_headers)
