# Fails when a file under src/ includes the header of a library that lies
# above its own. The libraries, lowest first:
#
#   platform -> protection -> sources -> profile -> backup -> export -> app -> cli, ui
#
# Each may include its own headers and those of the libraries before it; cli
# and ui do not include each other. Only protection includes OpenSSL.
#
#   cmake -DSOURCE_DIR=<checkout>/src -P CheckLayering.cmake

cmake_minimum_required(VERSION 3.25)

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "give -DSOURCE_DIR=<checkout>/src")
endif()

set(order platform protection sources profile backup export app)
set(allowed_cli ${order} cli)
set(allowed_ui ${order} ui)
set(index 0)
foreach(library IN LISTS order)
  list(SUBLIST order 0 ${index} below)
  set(allowed_${library} ${below} ${library})
  math(EXPR index "${index} + 1")
endforeach()

set(faults)
foreach(library IN LISTS order ITEMS cli ui)
  file(GLOB_RECURSE files ${SOURCE_DIR}/${library}/*.h ${SOURCE_DIR}/${library}/*.cpp)
  foreach(file IN LISTS files)
    file(STRINGS ${file} includes REGEX "^#include [\"<]")
    foreach(line IN LISTS includes)
      file(RELATIVE_PATH shown ${SOURCE_DIR} ${file})
      if(line MATCHES "^#include \"([a-z]+)/")
        set(target ${CMAKE_MATCH_1})
        if(NOT target IN_LIST allowed_${library})
          list(APPEND faults "${shown}: ${line}")
        endif()
      elseif(line MATCHES "^#include <openssl/" AND NOT library STREQUAL "protection")
        list(APPEND faults "${shown}: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n  " shown)
  message(FATAL_ERROR "includes against the layering:\n  ${shown}")
endif()
message(STATUS "every include follows the layering")
