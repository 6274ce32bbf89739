# Fuzz target of the host's drawing path (read, draw, preview, insert, save, read again).
# Build with clang, the libraries instrumented for coverage and sanitized:
#   cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVRIX_FUZZ=ON -DTAVRIX_SANITIZE=ON \
#     -DTAVRIX_TESTS=OFF -DTAVRIX_BENCH=OFF -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
#     -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link
#   cmake --build build-fuzz --target fuzz_drawing
# Run: build-fuzz/fuzz/fuzz_drawing <new corpus folder> fuzz/corpus/dxf_reader -max_total_time=300
if(TARGET zcapi AND TARGET hostrender)
  add_executable(fuzz_drawing ${CMAKE_CURRENT_SOURCE_DIR}/drawing_fuzz.cpp ${CMAKE_CURRENT_SOURCE_DIR}/DrawingFuzzEntry.cpp)
  target_compile_options(fuzz_drawing PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(fuzz_drawing PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(fuzz_drawing PRIVATE zcapi platform hostrender)
endif()
