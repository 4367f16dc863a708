cmake_minimum_required(VERSION 3.25)

# Builds each probe of tests/CMakeLists.txt: the ones in ALLOWED must compile, the ones in REFUSED
# must fail because their header is not found. Run as cmake -DBUILD=... -DALLOWED=a,b
# -DREFUSED=c,d -P CheckProbes.cmake. The allowed probes build in one go (each start of the build
# tool costs more than a probe); each refused one needs a build of its own to fail alone.
string(REPLACE "," ";" ALLOWED "${ALLOWED}")
string(REPLACE "," ";" REFUSED "${REFUSED}")
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD} --target ${ALLOWED}
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the allowed probes should compile (${ALLOWED}):\n${output}")
endif()
message(STATUS "allowed probes compile: ${ALLOWED}")
foreach(probe IN LISTS REFUSED)
  execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD} --target ${probe}
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(result EQUAL 0)
    message(FATAL_ERROR "${probe} compiled: a layer sees the headers of a layer above it")
  elseif(NOT output MATCHES "No such file or directory|file not found")
    message(FATAL_ERROR "${probe} failed for another reason than a header not found:\n${output}")
  endif()
  message(STATUS "${probe}: refused as expected")
endforeach()
