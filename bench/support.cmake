# Benchmarks of the support library: loading a large alias file and a large list file.
# Run: bench_support (from the build folder: bench/bench_support or ./bench_support).
find_package(benchmark QUIET)
if(benchmark_FOUND AND TARGET tavrix_core)
  add_executable(bench_support ${CMAKE_CURRENT_SOURCE_DIR}/support_bench.cpp)
  target_link_libraries(bench_support PRIVATE tavrix_core benchmark::benchmark)
endif()
