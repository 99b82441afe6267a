# Tick count and the handheld runtime's rand, srand and "%u" parsing.
target_sources(platform_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/System.cpp
)
