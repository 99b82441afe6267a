# The registry over SQLite.
target_sources(platform_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Registry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegistryStore.cpp
)
