tessamo_add_gtest(registry_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/RegistryTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RegistryProcessTest.cpp
  LIBS platform_core test_support)
