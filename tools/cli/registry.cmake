# registry export / import work on the store through the registry module.
target_link_libraries(tessamo-cli PRIVATE common_registry)
