cmake_minimum_required(VERSION 3.25)

# Fails if a source file of the given folders includes a header by a path that climbs out of a
# folder ("../x.hpp", "geometry/../shell/x.hpp"): the include roots are links to the folders, so
# such a path reaches every header of the tree and bypasses the layers. Run as cmake
# -DSOURCE=<checkout> -DFOLDERS=a,b -P CheckRelativeIncludes.cmake.
string(REPLACE "," ";" FOLDERS "${FOLDERS}")
set(climbing "^[ \t]*#[ \t]*include[ \t]*[\"<]([^\">]*/)?\\.\\./")
set(found "")
foreach(folder IN LISTS FOLDERS)
  file(GLOB_RECURSE sources ${SOURCE}/${folder}/*.c ${SOURCE}/${folder}/*.h ${SOURCE}/${folder}/*.cpp
    ${SOURCE}/${folder}/*.hpp)
  foreach(source IN LISTS sources)
    file(STRINGS ${source} lines REGEX "${climbing}")
    foreach(line IN LISTS lines)
      file(RELATIVE_PATH path ${SOURCE} ${source})
      string(APPEND found "\n  ${path}: ${line}")
    endforeach()
  endforeach()
endforeach()
if(found)
  message(FATAL_ERROR "includes that climb out of a folder and bypass the layers:${found}")
endif()
