add_executable(model_bench ModelBench.cpp)
target_link_libraries(model_bench PRIVATE tessamo_model benchmark::benchmark)
