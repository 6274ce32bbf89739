# The command help table "Help.cfg" of the installation, and the stand-in of the companion
# plug-in Utilpack (native module, script file, managed-library placeholder) in its own folder.
set(tavrix_support_samples ${TAVRIX_INSTALL_DIR}/Help.cfg)
add_custom_command(OUTPUT ${TAVRIX_INSTALL_DIR}/Help.cfg
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/Help.cfg ${TAVRIX_INSTALL_DIR}/Help.cfg
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/Help.cfg
  COMMENT "Installing Help.cfg")
foreach(name Colors.zelx Utilpack.dll)
  add_custom_command(OUTPUT ${TAVRIX_UTILPACK_DIR}/${name}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/utilpack/${name} ${TAVRIX_UTILPACK_DIR}/${name}
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/utilpack/${name}
    COMMENT "Installing Utilpack ${name}")
  list(APPEND tavrix_support_samples ${TAVRIX_UTILPACK_DIR}/${name})
endforeach()
add_custom_target(tavrix_support_samples ALL DEPENDS ${tavrix_support_samples})

if(TARGET zcapi)
  file(GLOB utilpack_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/utilpack/*.cpp)
  add_library(Utilpack MODULE ${utilpack_sources})
  target_link_libraries(Utilpack PRIVATE zcapi platform)
  set_target_properties(Utilpack PROPERTIES PREFIX "" SUFFIX ".zrx" OUTPUT_NAME "Utilpack"
    LIBRARY_OUTPUT_DIRECTORY ${TAVRIX_UTILPACK_DIR})
  add_dependencies(tavrix_support_samples Utilpack)
endif()
