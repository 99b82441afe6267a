# Starting the help viewer: no Qt, only the platform's processes.
add_library(tessamo_help STATIC ${CMAKE_CURRENT_LIST_DIR}/HelpLaunch.cpp)
target_link_libraries(tessamo_help PUBLIC platform_core)
