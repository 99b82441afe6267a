# Resource-only modules: the card-image libraries and the program's built-in resources.
target_sources(platform_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/Modules.cpp)
