# The game's libraries name their sources one by one, so a file nobody named
# would never be built: a new file then shows up as a link error far from its
# cause, or not at all when nothing calls it yet. These checks stop the
# configure step instead and say what to add where. The globs only look; they
# re-run on every build, so a file added later is caught as well.

# Every .cpp of the game's folders is in exactly one of the given lists
# (the names of variables holding source lists relative to the source folder).
function(kestrel_check_sources)
  set(named "")
  foreach(list_name IN LISTS ARGN)
    foreach(src IN LISTS ${list_name})
      if(src IN_LIST named)
        message(FATAL_ERROR "${src} is named twice in the source lists of CMakeLists.txt (again in ${list_name})")
      endif()
      list(APPEND named ${src})
    endforeach()
  endforeach()
  set(folders platform shell battle campaign strategy war app tools/config)
  set(missing "")
  foreach(folder IN LISTS folders)
    file(GLOB found CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
    foreach(src IN LISTS found)
      if(NOT src IN_LIST named)
        list(APPEND missing ${src})
      endif()
    endforeach()
  endforeach()
  if(missing)
    list(JOIN missing "\n  " text)
    message(FATAL_ERROR "Sources that no library names; add each to the list of its folder in CMakeLists.txt:\n  ${text}")
  endif()
endfunction()

# Every folder of tests/ with tests in it is a suite that kestrel_tests() built;
# tests/support is the suites' shared helpers.
function(kestrel_check_test_folders)
  get_property(suites GLOBAL PROPERTY KESTREL_TEST_SUITES)
  file(GLOB entries CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR}/tests ${PROJECT_SOURCE_DIR}/tests/*)
  foreach(entry IN LISTS entries)
    if(entry STREQUAL "support" OR NOT IS_DIRECTORY ${PROJECT_SOURCE_DIR}/tests/${entry})
      continue()
    endif()
    file(GLOB_RECURSE tests CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/${entry}/*.cpp)
    if(tests AND NOT entry IN_LIST suites)
      message(FATAL_ERROR "tests/${entry} has tests but no suite: add kestrel_tests(${entry} LINK <libraries>) "
                          "beside the others in CMakeLists.txt")
    endif()
  endforeach()
endfunction()
