# The shell: special folders.
target_sources(platform_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Shell.cpp
)
