# Runs cadhost on one session script and compares its transcript with the expected one.
#   -DCADHOST=program -DMODULES=folder with Tavrix.zrx and TavrixLP.dll -DSCRIPT=file.scr
#   -DEXPECTED=file.txt -DWORK=scratch folder [-DDATA=folder copied into the installation]
#   [-DPACK=OFF: install without the language pack]
#   [-DCOMPANION=folder copied as the companion's installation "utilpack" beside it]
# In the expected text, @DATE@ stands for the build date in the banner, @INSTALL@ for the
# installation folder as the plug-in sees it (Windows form) and @UTILPACK@ for the
# companion's folder (Windows form, with backslashes or forward slashes).
foreach(var CADHOST MODULES SCRIPT EXPECTED WORK)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "RunSession.cmake needs -D${var}=...")
  endif()
endforeach()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/install ${WORK}/appdata)
file(COPY ${MODULES}/Tavrix.zrx DESTINATION ${WORK}/install)
if(NOT DEFINED PACK OR PACK)
  file(COPY ${MODULES}/TavrixLP.dll DESTINATION ${WORK}/install)
endif()
if(DEFINED DATA AND IS_DIRECTORY ${DATA})
  file(COPY ${DATA}/ DESTINATION ${WORK}/install)
endif()
if(DEFINED COMPANION AND IS_DIRECTORY ${COMPANION})
  file(COPY ${COMPANION}/ DESTINATION ${WORK}/utilpack)
endif()

execute_process(
  COMMAND ${CADHOST} --install ${WORK}/install --appdata ${WORK}/appdata
          --registry ${WORK}/registry.hive --script ${SCRIPT} --transcript ${WORK}/transcript.txt
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cadhost ended with ${status}\n${output}\n${errors}")
endif()

file(READ ${WORK}/transcript.txt actual)
string(REGEX REPLACE "_\\(([A-Z][a-z][a-z] [ 1-3][0-9] [0-9][0-9][0-9][0-9])\\)" "_(@DATE@)" actual "${actual}")
string(REPLACE "/" "\\" install "Z:${WORK}/install")
string(REPLACE "${install}" "@INSTALL@" actual "${actual}")
string(REPLACE "/" "\\" utilpack "Z:${WORK}/utilpack")
string(REPLACE "${utilpack}" "@UTILPACK@" actual "${actual}")
string(REPLACE "Z:${WORK}/utilpack" "@UTILPACK@" actual "${actual}")
file(WRITE ${WORK}/actual.txt "${actual}")

file(READ ${EXPECTED} expected)
if(NOT "${actual}" STREQUAL "${expected}")
  execute_process(COMMAND diff -u ${EXPECTED} ${WORK}/actual.txt OUTPUT_VARIABLE difference)
  message(FATAL_ERROR "transcript differs from ${EXPECTED} (actual: ${WORK}/actual.txt)\n${difference}")
endif()
