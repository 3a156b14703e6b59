# The libraries below the driver (transport, colour calculation, common words, CIE tables)
# and the interfaces they share with it never include anything of the driver's folders.
# Run as: cmake -DROOT=<source tree> -P CheckLayering.cmake
cmake_minimum_required(VERSION 3.25)
set(below portway tintcalc lexicon ciedata interfaces)
# "outside/" names the shared interfaces on both sides; what the driver keeps there must
# not shadow them, which the EXISTS test below catches.
file(GLOB driver_folders LIST_DIRECTORIES true RELATIVE ${ROOT}/driver ${ROOT}/driver/*)
list(REMOVE_ITEM driver_folders outside)

set(files 0)
set(includes 0)
set(violations "")
foreach(component IN LISTS below)
  file(GLOB_RECURSE sources ${ROOT}/${component}/*.h ${ROOT}/${component}/*.cpp
    ${ROOT}/${component}/*.c)
  foreach(source IN LISTS sources)
    math(EXPR files "${files} + 1")
    file(STRINGS ${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" included "${line}")
      math(EXPR includes "${includes} + 1")
      string(REGEX REPLACE "/.*" "" top "${included}")
      if(top STREQUAL "driver" OR (NOT top STREQUAL included AND top IN_LIST driver_folders)
         OR EXISTS ${ROOT}/driver/${included})
        file(RELATIVE_PATH where ${ROOT} ${source})
        list(APPEND violations "${where}: ${included}")
      endif()
    endforeach()
  endforeach()
endforeach()

message(STATUS "${includes} includes in ${files} files of ${below}")
if(violations)
  list(JOIN violations "\n  " text)
  message(FATAL_ERROR "includes that reach into driver/:\n  ${text}")
endif()
