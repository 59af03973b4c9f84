# Installs the program as a desktop application: the executable (with the window program, the
# command program and the Wayland background program in libexec/tesserine/), its application-menu
# entry, its AppStream metainfo, its icon theme files, the description of its D-Bus
# interface, its systemd user unit (never enabled), its shell completions where Debian's
# packages put them, its manual page and, as a Debian package wants them, its changelog and
# copyright. The manual page and the changelog are compressed as Debian's policy asks.
include(GNUInstallDirs)

set(TESSERINE_APP_ID org.tesserine.Tesserine)
set(TESSERINE_ICON_SIZES 16 22 24 32 48 64 128 256)
set(tesserine_data_dir ${PROJECT_SOURCE_DIR}/data)

install(TARGETS tesserine RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS tesserine_window_program tesserine_command_program tesserine_background_program RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/tesserine)
install(FILES ${tesserine_data_dir}/${TESSERINE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${tesserine_data_dir}/${TESSERINE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${tesserine_data_dir}/org.tesserine.Tesserine1.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/dbus-1/interfaces)

set(tesserine_icon_dir ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
foreach(size ${TESSERINE_ICON_SIZES})
  install(FILES ${tesserine_data_dir}/icons/${size}x${size}/${TESSERINE_APP_ID}.png DESTINATION ${tesserine_icon_dir}/${size}x${size}/apps)
endforeach()
install(FILES ${tesserine_data_dir}/icons/${TESSERINE_APP_ID}.svg DESTINATION ${tesserine_icon_dir}/scalable/apps)

# gzip -n leaves out the name and time, so the same source gives the same bytes.
set(tesserine_compressed)
foreach(file tesserine.1 doc/changelog)
  get_filename_component(name ${file} NAME)
  set(output ${PROJECT_BINARY_DIR}/compressed/${name}.gz)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/compressed
    COMMAND sh -c "gzip -9n -c \"$0\" > \"$1\"" ${tesserine_data_dir}/${file} ${output}
    DEPENDS ${tesserine_data_dir}/${file} VERBATIM)
  list(APPEND tesserine_compressed ${output})
endforeach()
add_custom_target(tesserine_compressed ALL DEPENDS ${tesserine_compressed})
install(FILES ${PROJECT_BINARY_DIR}/compressed/tesserine.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_BINARY_DIR}/compressed/changelog.gz ${tesserine_data_dir}/doc/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tesserine)

# The unit names the installed program, so it is written at install time, when the prefix is
# known (cpack installs under /usr whatever the build was configured with).
set(tesserine_unit ${PROJECT_BINARY_DIR}/systemd/tesserine.service)
install(CODE "set(TESSERINE_BINDIR \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  configure_file(\"${tesserine_data_dir}/tesserine.service.in\" \"${tesserine_unit}\" @ONLY)")
install(FILES ${tesserine_unit} DESTINATION lib/systemd/user)

install(FILES ${TESSERINE_COMPLETIONS_DIR}/tesserine DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES ${TESSERINE_COMPLETIONS_DIR}/_tesserine DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions)
install(FILES ${TESSERINE_COMPLETIONS_DIR}/tesserine.fish DESTINATION ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d)
