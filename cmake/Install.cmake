# What `cmake --install` puts on a desktop: the two programs, the help pages,
# the icon, the menu entry and the MIME types of the three matrix files; and
# a Debian package of the same tree (`cpack -G DEB` in the build folder).
include(GNUInstallDirs)

install(TARGETS tavrin-console RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET tavrin)
  install(TARGETS tavrin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
set(desktop_dir ${PROJECT_SOURCE_DIR}/resources/desktop)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/help/ DESTINATION ${CMAKE_INSTALL_DATADIR}/tavrin/help
        FILES_MATCHING PATTERN "*.txt")
install(FILES ${desktop_dir}/tavrin.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${desktop_dir}/tavrin-64.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps
        RENAME tavrin.png)
install(FILES ${desktop_dir}/tavrin.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${desktop_dir}/tavrin-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME tavrin.xml)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavrin)
set(CPACK_PACKAGE_VENDOR "Tavrin developers")
set(CPACK_PACKAGE_CONTACT "Tavrin developers <tavrin@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Matrix calculator with real, complex and exact integer modes")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads the SVG icon through a plugin that no library links against.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, shared-mime-info")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation")
include(CPack)
