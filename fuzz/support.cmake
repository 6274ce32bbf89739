# Fuzz targets for the support library's parsers of outside text: splitting, the alias file
# and list files. Build with clang, the code under test instrumented for coverage too:
#   cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVRIX_FUZZ=ON -DTAVRIX_SANITIZE=ON \
#     -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link
#   cmake --build build-fuzz --target fuzz_split_text fuzz_alias_csv fuzz_list_file
# Run: build-fuzz/fuzz/fuzz_<name> -max_total_time=60 <new corpus folder> fuzz/corpus/<name>
if(TARGET tavrix_core)
  foreach(name split_text alias_csv list_file)
    add_executable(fuzz_${name} ${CMAKE_CURRENT_SOURCE_DIR}/${name}_fuzz.cpp
      ${CMAKE_CURRENT_SOURCE_DIR}/SupportFuzzEntries.cpp)
    target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(fuzz_${name} PRIVATE tavrix_core)
  endforeach()
endif()
