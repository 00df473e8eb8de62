# The rules of the board and the round include nothing but the standard
# library, each other and the game's random numbers: no drawing, sound,
# particles, input or window. Run by ctest:
#   cmake -DSOURCE_DIR=<source folder> -P tools/check_model_includes.cmake
cmake_minimum_required(VERSION 3.25)
set(RULES_GAME_FILES game/game_state.h game/game_state.cpp game/update.h game/update.cpp game/scene.h
  game/bests.h game/bests.cpp)
set(ALLOWED_OUTSIDE_BOARD game/game_state.h game/update.h game/scene.h game/bests.h platform/random.h)

file(GLOB files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/board/*.h ${SOURCE_DIR}/board/*.cpp)
list(APPEND files ${RULES_GAME_FILES})
set(faults "")
foreach(file IN LISTS files)
  file(STRINGS ${SOURCE_DIR}/${file} lines REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS lines)
    if(line MATCHES "\"([^\"]+)\"")
      set(included ${CMAKE_MATCH_1})
      if(NOT included MATCHES "^board/[a-z_]+\\.h$" AND NOT included IN_LIST ALLOWED_OUTSIDE_BOARD)
        string(APPEND faults "  ${file}: ${line}\n")
      endif()
    elseif(line MATCHES "<([^>]+)>")
      # Standard headers have no folder and no extension.
      if(CMAKE_MATCH_1 MATCHES "[./]")
        string(APPEND faults "  ${file}: ${line}\n")
      endif()
    else()
      string(APPEND faults "  ${file}: ${line}\n")
    endif()
  endforeach()
endforeach()
list(LENGTH files count)
if(count LESS 20)
  message(FATAL_ERROR "only ${count} files of the rules found under ${SOURCE_DIR}")
endif()
if(faults)
  message(FATAL_ERROR "The rules include more than the standard library and random numbers:\n${faults}")
endif()
message(STATUS "${count} files of the rules include only what they may")
