# What `cmake --install` puts where a Linux desktop expects it, and the .deb CPack builds.

set(VESPERON_ICON_SIZES 16 32 48 64 128 256)
add_executable(render_icon ${PROJECT_SOURCE_DIR}/tools/render_icon.cpp)
target_link_libraries(render_icon PRIVATE Qt6::Gui Qt6::Svg)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/icons/16x16/apps/vesperon.png
  COMMAND render_icon ${PROJECT_SOURCE_DIR}/resources/icons/vesperon.svg ${CMAKE_BINARY_DIR}/icons
          ${VESPERON_ICON_SIZES}
  DEPENDS render_icon ${PROJECT_SOURCE_DIR}/resources/icons/vesperon.svg
  COMMENT "Rendering the program icon")
add_custom_target(vesperon_icons ALL DEPENDS ${CMAKE_BINARY_DIR}/icons/16x16/apps/vesperon.png)

install(FILES resources/linux/vesperon.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES resources/linux/com.quillmark.Vesperon.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES resources/icons/vesperon.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size ${VESPERON_ICON_SIZES})
  install(FILES ${CMAKE_BINARY_DIR}/icons/${size}x${size}/apps/vesperon.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
# The shipped translations and help, copied into a user's application folder at first start.
foreach(shipped resources/Localization.txt ${CMAKE_BINARY_DIR}/help/Help.chm)
  install(FILES ${shipped} DESTINATION ${CMAKE_INSTALL_DATADIR}/vesperon OPTIONAL)
endforeach()
install(DIRECTORY ${CMAKE_BINARY_DIR}/help/html/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/html OPTIONAL)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vesperon)
set(CPACK_PACKAGE_VENDOR "${VESPERON_COMPANY_NAME}")
set(CPACK_PACKAGE_CONTACT "support@quillmark.example")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Power scheduler: shut down, reboot or suspend the computer on a schedule")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's platform plugins, SVG image support and logind's bus are loaded at run time.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6, dbus")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "systemd")
include(CPack)
