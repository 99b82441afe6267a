add_executable(settings_bench ${CMAKE_CURRENT_LIST_DIR}/SettingsBench.cpp)
target_link_libraries(settings_bench PRIVATE tessamo_settings test_support benchmark::benchmark)
