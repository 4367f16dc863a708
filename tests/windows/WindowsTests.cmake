# The Windows build's tests, run under Wine: the unit tests that need neither a GL context nor a
# host tool as oracle, then the real jostrela.exe under Xvfb (tests/windows/*.sh). Wine runs every
# test in one prefix of the build's own, made by the first test and removed by the last.

set(JOSTRELA_HOST_BUILD "" CACHE PATH "A Linux build of the same source, for the tests comparing the two")

# GoogleTest from Debian's sources, built with the same cross compiler.
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Tests read JSON with Debian's header-only nlohmann-json; its folder is linked alone into the
# build so the cross compiler sees no other host header.
find_path(NLOHMANN_JSON_DIR nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(JOSTRELA_HOST_HEADERS ${CMAKE_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${JOSTRELA_HOST_HEADERS})
file(CREATE_LINK ${NLOHMANN_JSON_DIR}/nlohmann ${JOSTRELA_HOST_HEADERS}/nlohmann SYMBOLIC)

set(JOSTRELA_WINDOWS_UNIT_TESTS
  vector3_test portable_math_test camera_test collision_test frustum_test moving_block_test frame_controls_test
  octree_build_test screen_config_test options_test state_dump_test timedemo_test key_script_test
  json_text_test content_shapes_test content_penguin_test content_church_test net_codec_test
  net_session_test net_udp_test)

# Wine's desktop belongs to the first program of a prefix and stays on that program's X display
# while its server runs, so the unit tests (no display) and the end-to-end tests (one virtual X
# server each, one test at a time, a fresh Wine server for each: windows/helpers/jostrela-exe.sh)
# have a prefix each, the second a copy of the first.
set(JOSTRELA_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
set(JOSTRELA_WINE_E2E_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix-e2e)
set(JOSTRELA_WINE ${CMAKE_SOURCE_DIR}/tools/windows/wine-run.sh)
# A Wine server ends a few seconds after its last program, and a program starting as it ends loses
# its connection ("recvmsg: Connection reset by peer"): the unit tests, two at a time, share one
# server that stays until the last test ends it. The prefix's services are started here with no
# output of ours: started by a test, they would outlive it on the persistent server and hold its
# output open.
add_test(NAME wine_prefix_create COMMAND bash -c
  "rm -rf '${JOSTRELA_WINE_PREFIX}' '${JOSTRELA_WINE_E2E_PREFIX}' && ${JOSTRELA_WINE} wineboot -i && /usr/lib/wine/wineserver -w && cp -a '${JOSTRELA_WINE_PREFIX}' '${JOSTRELA_WINE_E2E_PREFIX}' && /usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1 && ${JOSTRELA_WINE} wineboot </dev/null >/dev/null 2>&1")
add_test(NAME wine_prefix_remove COMMAND bash -c
  "/usr/lib/wine/wineserver -k; WINEPREFIX='${JOSTRELA_WINE_E2E_PREFIX}' /usr/lib/wine/wineserver -k; rm -rf '${JOSTRELA_WINE_PREFIX}' '${JOSTRELA_WINE_E2E_PREFIX}'")
set_tests_properties(wine_prefix_create PROPERTIES FIXTURES_SETUP wine_prefix TIMEOUT 300)
set_tests_properties(wine_prefix_remove PROPERTIES FIXTURES_CLEANUP wine_prefix)

# The Windows platform layer's own tests (tests/windows/*_test.cpp), beside the shared ones.
set(JOSTRELA_WINDOWS_ONLY_UNIT_TESTS win32_platform_test)
list(APPEND JOSTRELA_WINDOWS_UNIT_TESTS ${JOSTRELA_WINDOWS_ONLY_UNIT_TESTS})

foreach(name ${JOSTRELA_WINDOWS_UNIT_TESTS})
  set(source ${CMAKE_CURRENT_SOURCE_DIR}/${name}.cpp)
  if(name IN_LIST JOSTRELA_WINDOWS_ONLY_UNIT_TESTS)
    set(source ${CMAKE_CURRENT_SOURCE_DIR}/windows/${name}.cpp)
  endif()
  add_executable(${name} ${source})
  target_link_libraries(${name} PRIVATE shell net writers content reference gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${JOSTRELA_HOST_HEADERS})
  # M_PI and its kin, which the C library of MinGW declares only on request.
  target_compile_definitions(${name} PRIVATE _USE_MATH_DEFINES)
  add_test(NAME windows_${name} COMMAND ${name})
  set_tests_properties(windows_${name} PROPERTIES FIXTURES_REQUIRED wine_prefix TIMEOUT 300)
endforeach()

# Starts a program as cmd.exe starts a windowed one it does not redirect (windows/zip.sh).
add_executable(start_without_streams ${CMAKE_CURRENT_SOURCE_DIR}/windows/helpers/start_without_streams.c)

# The network layer between systems: the stand-in player of tests/e2e/helpers/net_peer.cpp built for
# Windows plays against the Linux one of JOSTRELA_HOST_BUILD over 127.0.0.1, each hosting once.
add_executable(net_peer ${CMAKE_CURRENT_SOURCE_DIR}/e2e/helpers/net_peer.cpp)
target_link_libraries(net_peer PRIVATE net)
target_include_directories(net_peer PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
add_test(NAME windows_net_interop COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/windows/helpers/net_interop.sh)
set_tests_properties(windows_net_interop PROPERTIES FIXTURES_REQUIRED wine_prefix TIMEOUT 300
  ENVIRONMENT "WINEPREFIX=${JOSTRELA_WINE_PREFIX};JOSTRELA_WINE=${JOSTRELA_WINE};JOSTRELA_NET_PEER_EXE=$<TARGET_FILE:net_peer>;JOSTRELA_HOST_BUILD=${JOSTRELA_HOST_BUILD}")

# The Windows-only end-to-end tests, and those of the Linux game that hold for both as they are.
file(GLOB JOSTRELA_WINDOWS_E2E_TESTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/windows/*.sh)
foreach(name close_request fullscreen_refused missing_config)
  list(APPEND JOSTRELA_WINDOWS_E2E_TESTS ${CMAKE_CURRENT_SOURCE_DIR}/e2e/${name}.sh)
endforeach()
foreach(script ${JOSTRELA_WINDOWS_E2E_TESTS})
  get_filename_component(name ${script} NAME_WE)
  add_test(NAME windows_e2e_${name} COMMAND bash ${script})
  set_tests_properties(windows_e2e_${name} PROPERTIES FIXTURES_REQUIRED wine_prefix TIMEOUT 600
    RESOURCE_LOCK x_server
    ENVIRONMENT "WINEPREFIX=${JOSTRELA_WINE_E2E_PREFIX};JOSTRELA_BIN=${CMAKE_CURRENT_SOURCE_DIR}/windows/helpers/jostrela-exe.sh;JOSTRELA_EXE=$<TARGET_FILE:jostrela>;JOSTRELA_WINE=${JOSTRELA_WINE};JOSTRELA_BUILD=${CMAKE_BINARY_DIR};JOSTRELA_SOURCE=${CMAKE_SOURCE_DIR};JOSTRELA_HOST_BUILD=${JOSTRELA_HOST_BUILD};JOSTRELA_SEND_CLOSE=${JOSTRELA_HOST_BUILD}/tests/send_close_request;JOSTRELA_START_WITHOUT_STREAMS=$<TARGET_FILE:start_without_streams>")
endforeach()

foreach(name wine_prefix_create wine_prefix_remove ${JOSTRELA_WINDOWS_UNIT_TESTS})
  if(TEST windows_${name})
    set(name windows_${name})
  endif()
  set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT "WINEPREFIX=${JOSTRELA_WINE_PREFIX}")
endforeach()
# Every test here carries the windows label (`ctest -L windows`), and slow those that usually take
# more than about 10 s alone.
get_property(JOSTRELA_WINDOWS_TESTS DIRECTORY PROPERTY TESTS)
foreach(test ${JOSTRELA_WINDOWS_TESTS})
  set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT "JOSTRELA_MESSAGES=stderr")
  set_property(TEST ${test} APPEND PROPERTY LABELS windows)
endforeach()
foreach(test windows_e2e_same_numbers windows_net_interop)
  set_property(TEST ${test} APPEND PROPERTY LABELS slow)
endforeach()
