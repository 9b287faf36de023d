# What `cmake --install out` puts under the prefix, and the Debian package CPack makes of it:
# the programs, the desktop entry and icons, the man page and the bash and zsh completions.
include(GNUInstallDirs)

install(TARGETS velmora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(VELMORA_GUI)
  install(TARGETS velmora-gui RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # The desktop program in the application menu, and offered by file managers for .txt scripts.
  install(FILES ${CMAKE_SOURCE_DIR}/dist/velmora.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/dist/icons/
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
endif()

# Debian ships man pages compressed; -n keeps the name and time out, so packages repeat.
set(VELMORA_MAN_GZ ${CMAKE_BINARY_DIR}/velmora.1.gz)
add_custom_command(
  OUTPUT ${VELMORA_MAN_GZ}
  COMMAND sh -c "gzip -9n -c '${CMAKE_SOURCE_DIR}/doc/velmora.1' > '${VELMORA_MAN_GZ}'"
  DEPENDS ${CMAKE_SOURCE_DIR}/doc/velmora.1
  VERBATIM)
add_custom_target(velmora_man ALL DEPENDS ${VELMORA_MAN_GZ})
install(FILES ${VELMORA_MAN_GZ} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

install(FILES ${CMAKE_SOURCE_DIR}/dist/completions/velmora.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME velmora)
# Debian's zsh reads system completions from vendor-completions, local ones from site-functions.
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  set(VELMORA_ZSH_DIR_DEFAULT ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions)
else()
  set(VELMORA_ZSH_DIR_DEFAULT ${CMAKE_INSTALL_DATADIR}/zsh/site-functions)
endif()
set(VELMORA_ZSH_COMPLETION_DIR ${VELMORA_ZSH_DIR_DEFAULT} CACHE STRING
    "Where the zsh completion is installed, relative to the prefix")
install(FILES ${CMAKE_SOURCE_DIR}/dist/completions/_velmora DESTINATION ${VELMORA_ZSH_COMPLETION_DIR})

# The Debian package: its dependencies are the packages of the shared libraries the programs
# link (libcurl, Qt 6, the C++ runtime), found by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Velmora developers <velmora@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "static web site builder driven by a plain-text site script")
set(CPACK_PACKAGE_DESCRIPTION
    "Velmora builds a static web site from one plain-text site script. It has a command line, velmora, and a desktop program, velmora-gui.")
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
