# The sample sign library and the demo floor plan, drawn by a generator over the host's
# drawing API when the project is built.
if(TARGET zcapi AND TARGET hostrender AND TARGET hostdxf)
  file(GLOB sample_library_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/signs/*.cpp)
  add_executable(make_sample_library ${sample_library_sources})
  target_link_libraries(make_sample_library PRIVATE zcapi platform hostrender hostdxf)
  set(sample_library_stamp ${CMAKE_CURRENT_BINARY_DIR}/sample_library.stamp)
  add_custom_command(OUTPUT ${sample_library_stamp}
    COMMAND make_sample_library ${TAVRIX_INSTALL_DIR} ${sample_library_stamp}
    DEPENDS make_sample_library
    COMMENT "Drawing the sample sign library and floor plan")
  add_custom_target(tavrix_sample_library ALL DEPENDS ${sample_library_stamp})
endif()
