# Starting device programs, and the program's own path.
target_sources(platform_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Process.cpp
)
