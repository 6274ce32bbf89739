# Fuzz target of the DXF codec's reader. Build with clang:
#   cmake -S . -B build-fuzz -DTAVRIX_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang
#   cmake --build build-fuzz --target fuzz_dxf_reader
# Run: build-fuzz/fuzz/fuzz_dxf_reader fuzz/corpus/dxf_reader -max_total_time=300 -max_len=65536
# The codec's sources are compiled into the target so that they carry coverage instrumentation.
file(GLOB fuzz_dxf_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/host/dxf/src/*.cpp)
add_executable(fuzz_dxf_reader ${CMAKE_CURRENT_SOURCE_DIR}/dxf_reader_fuzz.cpp ${fuzz_dxf_sources})
target_include_directories(fuzz_dxf_reader PRIVATE ${CMAKE_SOURCE_DIR}/host/dxf/include
                                                   ${CMAKE_SOURCE_DIR}/host/dxf/src)
target_compile_options(fuzz_dxf_reader PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_options(fuzz_dxf_reader PRIVATE -fsanitize=fuzzer,address,undefined)
