# Run at every build (cmake -P): writes OUTPUT, the definition of kGameVersion, from VERSION (the
# project's version) and, when SOURCE is a git checkout, its commit. The file is rewritten only
# when its text changes, so an unchanged checkout recompiles nothing.
set(text "${VERSION}")
find_package(Git QUIET)
if(GIT_FOUND)
  # Only a checkout of this source counts, not one that merely holds an unpacked copy of it.
  execute_process(COMMAND ${GIT_EXECUTABLE} -C ${SOURCE} rev-parse --show-toplevel
    OUTPUT_VARIABLE top OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  execute_process(COMMAND ${GIT_EXECUTABLE} -C ${SOURCE} rev-parse --short=12 HEAD
    OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed ERROR_QUIET)
  get_filename_component(top "${top}" REALPATH)
  get_filename_component(source "${SOURCE}" REALPATH)
  if(NOT failed AND commit AND top STREQUAL source)
    # A build with uncommitted changes is not that commit's.
    execute_process(COMMAND ${GIT_EXECUTABLE} -C ${SOURCE} diff --quiet HEAD --
      RESULT_VARIABLE changed ERROR_QUIET)
    if(changed)
      string(APPEND commit "+changes")
    endif()
    string(APPEND text " (git ${commit})")
  endif()
endif()
set(definition "#include \"shell/Version.hpp\"\n\nconst char* const kGameVersion = \"${text}\";\n")
if(EXISTS ${OUTPUT})
  file(READ ${OUTPUT} old)
endif()
if(NOT old STREQUAL definition)
  file(WRITE ${OUTPUT} "${definition}")
endif()
