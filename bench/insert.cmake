# Benchmark of turning a sign drawing into a block of a drawing that has 1,000 blocks.
# Run: bench_insert (from the build folder: bench/bench_insert).
find_package(benchmark QUIET)
if(benchmark_FOUND AND TARGET zcapi)
  add_executable(bench_insert ${CMAKE_CURRENT_SOURCE_DIR}/insert_bench.cpp)
  target_link_libraries(bench_insert PRIVATE zcapi platform benchmark::benchmark)
endif()
