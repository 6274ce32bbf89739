# The plug-in: its code as a static library (linked by the unit tests), the module
# Tavrix.zrx that the host loads, and the language pack installed as TavrixLP.dll.
if(NOT TARGET zcapi)
  return()
endif()

set(plugin_dirs frame frame/commands cad tools report library support)
set(plugin_sources)
foreach(dir ${plugin_dirs})
  tavrix_glob(found ${CMAKE_SOURCE_DIR}/${dir})
  list(APPEND plugin_sources ${found})
endforeach()
# The module's entry points are compiled into the module itself.
list(FILTER plugin_sources EXCLUDE REGEX ".*/frame/ModuleMain\\.cpp$")

add_library(tavrix_core STATIC ${plugin_sources})
target_include_directories(tavrix_core PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(tavrix_core PUBLIC zcapi platform)
target_compile_definitions(tavrix_core PUBLIC
  TAVRIX_BUILD_DATE="${TAVRIX_BUILD_DATE}")

if(EXISTS ${CMAKE_SOURCE_DIR}/frame/ModuleMain.cpp)
  add_library(Tavrix MODULE ${CMAKE_SOURCE_DIR}/frame/ModuleMain.cpp)
  target_link_libraries(Tavrix PRIVATE -Wl,--whole-archive tavrix_core -Wl,--no-whole-archive zcapi platform)
  set_target_properties(Tavrix PROPERTIES PREFIX "" SUFFIX ".zrx" OUTPUT_NAME "Tavrix"
    LIBRARY_OUTPUT_DIRECTORY ${TAVRIX_INSTALL_DIR})
  if(COMMAND tavrix_add_resources AND EXISTS ${CMAKE_SOURCE_DIR}/frame/Tavrix.rc)
    tavrix_add_resources(Tavrix ${CMAKE_SOURCE_DIR}/frame/Tavrix.rc)
  endif()
endif()

tavrix_glob(langpack_sources ${CMAKE_SOURCE_DIR}/langpack)
if(langpack_sources)
  add_library(TavrixEN MODULE ${langpack_sources})
  target_link_libraries(TavrixEN PRIVATE platform)
  set_target_properties(TavrixEN PROPERTIES PREFIX "" SUFFIX ".dll" OUTPUT_NAME "TavrixLP"
    LIBRARY_OUTPUT_DIRECTORY ${TAVRIX_INSTALL_DIR})
  if(COMMAND tavrix_add_resources AND EXISTS ${CMAKE_SOURCE_DIR}/langpack/TavrixEN.rc)
    tavrix_add_resources(TavrixEN ${CMAKE_SOURCE_DIR}/langpack/TavrixEN.rc)
  endif()
endif()
