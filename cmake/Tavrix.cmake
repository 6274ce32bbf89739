# Small helpers shared by the folder CMakeLists files.

# tavrix_glob(VAR dir...) collects the .cpp files of the given folders.
function(tavrix_glob var)
  set(result)
  foreach(dir ${ARGN})
    file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp)
    list(APPEND result ${found})
  endforeach()
  set(${var} ${result} PARENT_SCOPE)
endfunction()

# tavrix_add_test(name dir lib...) builds one GoogleTest binary from the .cpp files of a
# test folder and registers its cases with CTest.
function(tavrix_add_test name dir)
  tavrix_glob(sources ${dir})
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARGN} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    TAVRIX_BUILD_DIR="${CMAKE_BINARY_DIR}"
    TAVRIX_INSTALL_DIR="${TAVRIX_INSTALL_DIR}"
    TAVRIX_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "TAVRIX_INSTALL_DIR=${TAVRIX_INSTALL_DIR}")
endfunction()
