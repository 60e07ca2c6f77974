# The configuration program, installing under a prefix, and the Debian package.

# kestrelmoor-config edits startup.ini with the game's own toolkit; GBK like the game.
set(KESTREL_CONFIG_SRCS tools/config/config_screen.cpp tools/config/config_settings.cpp)
set(KESTREL_CONFIG_MAIN_SRCS tools/config/main.cpp)
add_library(kconfig STATIC ${KESTREL_CONFIG_SRCS})
target_include_directories(kconfig PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_options(kconfig PRIVATE ${KESTREL_GAME_FLAGS})
target_link_libraries(kconfig PUBLIC kshell)
add_executable(kestrelmoor-config ${KESTREL_CONFIG_MAIN_SRCS})
target_compile_options(kestrelmoor-config PRIVATE ${KESTREL_GAME_FLAGS})
target_link_libraries(kestrelmoor-config PRIVATE kconfig)
set_target_properties(kestrelmoor-config PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# The desktop icon is the game's about picture.
add_executable(kbp_to_png ${PROJECT_SOURCE_DIR}/packaging/kbp_to_png.cpp)
target_link_libraries(kbp_to_png PRIVATE kplatform)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/kestrelmoor.png
  COMMAND kbp_to_png ${CMAKE_BINARY_DIR}/Res/about.kbp ${CMAKE_BINARY_DIR}/kestrelmoor.png
  DEPENDS kbp_to_png ${CMAKE_BINARY_DIR}/Res/about.kbp
  COMMENT "Making the desktop icon from Res/about.kbp")
# On the picture, not on Res/.stamp: a second target naming the stamp would run
# its own copy of resgen, side by side with the one of `resources`.
add_custom_target(kestrel_icon ALL DEPENDS ${CMAKE_BINARY_DIR}/kestrelmoor.png)
add_dependencies(kestrel_icon resources)

include(GNUInstallDirs)
# The game finds its data at ../share/kestrelmoor/Res from its own folder, so
# the binaries and the data must keep these two places relative to each other.
install(TARGETS kestrelmoor kestrelmoor-config RUNTIME DESTINATION bin)
install(DIRECTORY ${CMAKE_BINARY_DIR}/Res/ DESTINATION share/kestrelmoor/Res
        PATTERN Save EXCLUDE PATTERN Log EXCLUDE PATTERN .stamp EXCLUDE PATTERN tmp.ktp EXCLUDE)
install(FILES packaging/kestrelmoor.desktop packaging/kestrelmoor-config.desktop DESTINATION share/applications)
install(FILES ${CMAKE_BINARY_DIR}/kestrelmoor.png DESTINATION share/icons/hicolor/64x64/apps)
install(FILES packaging/kestrelmoor.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kestrelmoor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Kestrelmoor developers <kestrelmoor@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Turn-based strategy game of the Three Kingdoms period")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libsdl2-2.0-0, libfreetype6, libfontconfig1, libpng16-16, fonts-wqy-zenhei, fonts-arphic-ukai")
# The C++ runtime the binaries were linked against.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
