# What `cmake --install` puts on a machine: the program with its libraries and bundles in one folder (a
# bundle is found next to the binary that owns it), a link to the program in the binaries folder, and the
# desktop entry and icon through which file managers offer to open movies with it.
include(GNUInstallDirs)

set(VISTREL_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/vistrel)
set(VISTREL_INSTALLED_EXECUTABLE ${CMAKE_INSTALL_FULL_LIBDIR}/vistrel/Vistrel)

if(TARGET Vistrel)
  set(libraries platform_core platform_gfx platform_media platform_ui Kestrane Orvalis)
  set_target_properties(Vistrel ${libraries} PROPERTIES INSTALL_RPATH "$ORIGIN")
  install(TARGETS Vistrel ${libraries}
          RUNTIME DESTINATION ${VISTREL_INSTALL_DIR}
          LIBRARY DESTINATION ${VISTREL_INSTALL_DIR})
  foreach(bundle IN ITEMS Kestrane Orvalis Vistrel)
    install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/${bundle}/ DESTINATION ${VISTREL_INSTALL_DIR}/${bundle}.bundle)
  endforeach()
  install(CODE "file(MAKE_DIRECTORY \"\$ENV{DESTDIR}${CMAKE_INSTALL_FULL_BINDIR}\")
                file(CREATE_LINK \"${VISTREL_INSTALLED_EXECUTABLE}\"
                     \"\$ENV{DESTDIR}${CMAKE_INSTALL_FULL_BINDIR}/Vistrel\" SYMBOLIC)")

  configure_file(${CMAKE_SOURCE_DIR}/resources/desktop/net.vistrel.Vistrel.desktop.in
                 ${CMAKE_BINARY_DIR}/net.vistrel.Vistrel.desktop @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/net.vistrel.Vistrel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/Vistrel/Vistrel.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps RENAME net.vistrel.Vistrel.png)
endif()
