# Desktop integration: the entry, the icons in the hicolor theme and the AppStream metainfo.
set(WPD_APP_ID io.github.wireprobedesk)
install(FILES desktop/${WPD_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES desktop/${WPD_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 32 48 64 128 256)
  install(FILES resources/icons/wireprobedesk-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${WPD_APP_ID}.png)
endforeach()
install(FILES resources/icons/wireprobedesk.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${WPD_APP_ID}.svg)

# The installed tree is checked as the desktop would read it.
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(APPSTREAMCLI appstreamcli)
if(DESKTOP_FILE_VALIDATE AND APPSTREAMCLI)
  add_test(NAME desktop_integration
           COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/check-install.sh ${CMAKE_BINARY_DIR} ${WPD_APP_ID})
endif()
