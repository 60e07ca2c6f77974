# Run as a test: cmake -DROOT=<source folder> -P check_layers.cmake
# Every #include "folder/..." of the game's sources points down the layers
# (or within its own): an include of a higher layer would make the lower
# library need the higher one, and the layers would only be folders again.
# Fails with every offending line.

cmake_minimum_required(VERSION 3.20)

# Which layers a layer may include, besides itself.
set(below_platform "")
set(below_shell platform rules)
set(below_battle platform shell rules)
set(below_campaign platform shell rules)
set(below_map platform shell rules battle campaign)
set(below_flow platform shell rules battle campaign map)
set(below_app platform shell rules battle campaign map flow)
set(below_rules "")
set(below_config platform shell rules)
set(below_resgen platform rules)

# Game, NewGame and Who live beside the records but stand on the map.
set(flow_files campaign/game campaign/new_game campaign/who)

function(layer_of path out)
  string(REGEX REPLACE "\\.(h|cpp)$" "" stem "${path}")
  string(REGEX MATCH "^[a-z_]+" top "${path}")
  if(stem IN_LIST flow_files)
    set(layer flow)
  elseif(top STREQUAL "strategy" OR top STREQUAL "war")
    set(layer map)
  elseif(path MATCHES "^tools/config/")
    set(layer config)
  elseif(path MATCHES "^tools/resgen/")
    set(layer resgen)
  elseif(top MATCHES "^(platform|shell|battle|campaign|app|rules)$")
    set(layer ${top})
  else()
    set(layer outside)
  endif()
  set(${out} ${layer} PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE sources RELATIVE ${ROOT}
     ${ROOT}/platform/*.[ch]* ${ROOT}/shell/*.[ch]* ${ROOT}/battle/*.[ch]* ${ROOT}/campaign/*.[ch]*
     ${ROOT}/strategy/*.[ch]* ${ROOT}/war/*.[ch]* ${ROOT}/app/*.[ch]* ${ROOT}/rules/*.[ch]*
     ${ROOT}/tools/config/*.[ch]* ${ROOT}/tools/resgen/*.[ch]*)
set(broken "")
foreach(src IN LISTS sources)
  layer_of(${src} from)
  file(STRINGS ${ROOT}/${src} includes REGEX "^#include \"[^\"]+\"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" target "${line}")
    if(NOT target MATCHES "/")
      continue()  # beside the including file
    endif()
    layer_of(${target} to)
    if(NOT to STREQUAL from AND NOT to IN_LIST below_${from})
      list(APPEND broken "${src} (${from}) includes ${target} (${to})")
    endif()
  endforeach()
endforeach()

if(broken)
  list(JOIN broken "\n  " text)
  message(FATAL_ERROR "Includes that point up the layers:\n  ${text}")
endif()
list(LENGTH sources count)
message(STATUS "${count} files, every include points down the layers")
