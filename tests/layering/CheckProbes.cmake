cmake_minimum_required(VERSION 3.25)

# Builds each probe of tests/CMakeLists.txt: the ones in ALLOWED must compile, the ones in REFUSED
# must fail because their header is not found. Run as cmake -DBUILD=... -DALLOWED=a,b
# -DREFUSED=c,d -P CheckProbes.cmake.
string(REPLACE "," ";" ALLOWED "${ALLOWED}")
string(REPLACE "," ";" REFUSED "${REFUSED}")
foreach(probe IN LISTS ALLOWED REFUSED)
  execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD} --target ${probe}
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(probe IN_LIST ALLOWED AND NOT result EQUAL 0)
    message(FATAL_ERROR "${probe} should compile:\n${output}")
  elseif(probe IN_LIST REFUSED)
    if(result EQUAL 0)
      message(FATAL_ERROR "${probe} compiled: a layer sees the headers of a layer above it")
    elseif(NOT output MATCHES "No such file or directory|file not found")
      message(FATAL_ERROR "${probe} failed for another reason than a header not found:\n${output}")
    endif()
  endif()
  message(STATUS "${probe}: as expected")
endforeach()
