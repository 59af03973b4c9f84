# Installs the program as a desktop application: the executable, its application-menu
# entry, its AppStream metainfo and its icon theme files.
include(GNUInstallDirs)

set(TESSERINE_APP_ID org.tesserine.Tesserine)
set(TESSERINE_ICON_SIZES 16 22 24 32 48 64 128 256)
set(tesserine_data_dir ${PROJECT_SOURCE_DIR}/data)

install(TARGETS tesserine RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${tesserine_data_dir}/${TESSERINE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${tesserine_data_dir}/${TESSERINE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(tesserine_icon_dir ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
foreach(size ${TESSERINE_ICON_SIZES})
  install(FILES ${tesserine_data_dir}/icons/${size}x${size}/${TESSERINE_APP_ID}.png DESTINATION ${tesserine_icon_dir}/${size}x${size}/apps)
endforeach()
install(FILES ${tesserine_data_dir}/icons/${TESSERINE_APP_ID}.svg DESTINATION ${tesserine_icon_dir}/scalable/apps)
