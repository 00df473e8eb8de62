# A screen never includes the machine that holds it nor the loop above it:
# it asks for a change by reporting it from its update. Only the loop, the
# machine and start-up may name them. Run by ctest:
#   cmake -DSOURCE_DIR=<source folder> -P tools/check_screen_includes.cmake
cmake_minimum_required(VERSION 3.25)
set(MAY_INCLUDE_THE_LOOP app/shell.cpp app/lifecycle.cpp)
set(MAY_INCLUDE_THE_MACHINE app/shell.h app/screen_machine.cpp)

file(GLOB files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/app/*.h ${SOURCE_DIR}/app/*.cpp)
set(faults "")
foreach(file IN LISTS files)
  file(STRINGS ${SOURCE_DIR}/${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"app/(shell|screen_machine)\\.h\"")
  foreach(line IN LISTS lines)
    if(line MATCHES "app/shell\\.h" AND NOT file IN_LIST MAY_INCLUDE_THE_LOOP)
      string(APPEND faults "  ${file}: ${line}\n")
    elseif(line MATCHES "app/screen_machine\\.h" AND NOT file IN_LIST MAY_INCLUDE_THE_MACHINE)
      string(APPEND faults "  ${file}: ${line}\n")
    endif()
  endforeach()
endforeach()
list(LENGTH files count)
if(count LESS 10)
  message(FATAL_ERROR "only ${count} files of app/ found under ${SOURCE_DIR}")
endif()
if(faults)
  message(FATAL_ERROR "A screen includes the loop or the machine that holds it:\n${faults}")
endif()
message(STATUS "${count} files of app/: no screen includes the loop or the machine")
