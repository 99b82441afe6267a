# Files and folders: device paths below the device folder, host paths as they stand.
target_sources(platform_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Files.cpp
)
