# What `cmake --install` puts on a machine: the program with its libraries and bundles in one folder (a
# bundle is found next to the binary that owns it), a link to the program in the binaries folder, and the
# desktop entry and icons (the hicolor theme's sizes) through which file managers offer to open movies with it.
include(GNUInstallDirs)

set(VISTREL_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/vistrel)

if(TARGET Vistrel)
  set(libraries platform_core platform_gfx platform_media platform_ui Kestrane Orvalis)
  set_target_properties(Vistrel ${libraries} PROPERTIES INSTALL_RPATH "$ORIGIN")
  install(TARGETS Vistrel ${libraries}
          RUNTIME DESTINATION ${VISTREL_INSTALL_DIR}
          LIBRARY DESTINATION ${VISTREL_INSTALL_DIR})
  foreach(bundle IN ITEMS Kestrane Orvalis Vistrel)
    install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/${bundle}/ DESTINATION ${VISTREL_INSTALL_DIR}/${bundle}.bundle)
  endforeach()
  # The link is relative, so that it holds wherever the prefix is given (at configuring or at installing).
  install(CODE "file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
                file(CREATE_LINK \"../${VISTREL_INSTALL_DIR}/Vistrel\"
                     \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/Vistrel\" SYMBOLIC)")

  install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/net.vistrel.Vistrel.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  # hicolor/NxN/apps/net.vistrel.Vistrel.png, drawn at each size by scripts/make_app_resources.py.
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/desktop/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
endif()
