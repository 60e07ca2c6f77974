# Fails when a source of the tree strays from .clang-format (run as a test:
# cmake -DROOT=<tree> -DCLANG_FORMAT=<program> -P check_format.cmake).
# `clang-format -i` on the files it names puts them right.
file(GLOB_RECURSE sources RELATIVE ${ROOT}
     ${ROOT}/app/*.cpp ${ROOT}/app/*.h ${ROOT}/battle/*.cpp ${ROOT}/battle/*.h
     ${ROOT}/campaign/*.cpp ${ROOT}/campaign/*.h ${ROOT}/platform/*.cpp ${ROOT}/platform/*.h
     ${ROOT}/rules/*.h ${ROOT}/shell/*.cpp ${ROOT}/shell/*.h ${ROOT}/strategy/*.cpp ${ROOT}/strategy/*.h
     ${ROOT}/war/*.cpp ${ROOT}/war/*.h ${ROOT}/tools/*.cpp ${ROOT}/tools/*.h ${ROOT}/tests/*.cpp ${ROOT}/tests/*.h
     ${ROOT}/bench/*.cpp ${ROOT}/bench/*.h ${ROOT}/fuzz/*.cpp ${ROOT}/fuzz/*.h)
set(strays "")
foreach(f ${sources})
  execute_process(COMMAND ${CLANG_FORMAT} --style=file --dry-run --Werror ${f}
                  WORKING_DIRECTORY ${ROOT} RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
  if(NOT rc EQUAL 0)
    list(APPEND strays ${f})
  endif()
endforeach()
if(strays)
  string(REPLACE ";" "\n  " listed "${strays}")
  message(FATAL_ERROR "not laid out as .clang-format says (clang-format -i puts them right):\n  ${listed}")
endif()
list(LENGTH sources n)
message(STATUS "${n} sources follow .clang-format")
