# Fuzz target for the plug-in frame: the command help table's Help.cfg reader.
# Build with clang: -DTAVRIX_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++.
# Run: fuzz_helpcfg fuzz/corpus/helpcfg -max_total_time=60
if(TARGET tavrix_core)
  add_executable(fuzz_helpcfg ${CMAKE_CURRENT_SOURCE_DIR}/helpcfg_fuzz.cpp)
  target_compile_options(fuzz_helpcfg PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(fuzz_helpcfg PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(fuzz_helpcfg PRIVATE tavrix_core)
endif()
