# Fuzz targets for the support library's parsers of outside text: splitting, the alias file
# and list files. Build with clang: -DTAVRIX_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++.
# Run: fuzz_<name> fuzz/corpus/<name> -max_total_time=60
if(TARGET tavrix_core)
  foreach(name split_text alias_csv list_file)
    add_executable(fuzz_${name} ${CMAKE_CURRENT_SOURCE_DIR}/${name}_fuzz.cpp
      ${CMAKE_CURRENT_SOURCE_DIR}/SupportFuzzEntries.cpp)
    target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(fuzz_${name} PRIVATE tavrix_core)
  endforeach()
endif()
