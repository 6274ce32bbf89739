# Benchmark of the DXF codec's reader on a generated ~20 MB drawing.
# Run: bench_dxf_read (Google Benchmark), or bench/dxf_vs_ezdxf.sh BUILD_DIR for the
# comparison with ezdxf.
find_package(benchmark QUIET)
if(benchmark_FOUND AND TARGET hostdxf)
  add_executable(bench_dxf_read ${CMAKE_CURRENT_SOURCE_DIR}/dxf_read_bench.cpp)
  target_link_libraries(bench_dxf_read PRIVATE hostdxf benchmark::benchmark)
endif()
