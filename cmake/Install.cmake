# cmake --install lays the program out as one application folder, as it runs from the build tree:
#   <prefix>/lib/vellora/{vellora, Data, Backgrounds, Help, Projecten, Artwork}
# with a launcher link in <prefix>/bin, a desktop entry and the icon. Projects are saved inside the
# application folder, so install it where its user may write (e.g. --prefix ~/.local) or make Projecten
# writable for the users who share it.
include(GNUInstallDirs)
set(VELLORA_INSTALL_APPDIR ${CMAKE_INSTALL_LIBDIR}/vellora)

install(TARGETS vellora RUNTIME DESTINATION ${VELLORA_INSTALL_APPDIR})
foreach(folder Data Backgrounds Help Artwork)
    install(DIRECTORY ${VELLORA_APPDIR}/${folder} DESTINATION ${VELLORA_INSTALL_APPDIR} OPTIONAL)
endforeach()
install(DIRECTORY DESTINATION ${VELLORA_INSTALL_APPDIR}/Projecten)

install(CODE "
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(CREATE_LINK ../${VELLORA_INSTALL_APPDIR}/vellora
         \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/vellora\" SYMBOLIC)
")

set(VELLORA_LAUNCHER vellora)
configure_file(${CMAKE_CURRENT_LIST_DIR}/desktop/vellora.desktop.in ${CMAKE_BINARY_DIR}/vellora.desktop @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/vellora.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VELLORA_APPDIR}/Artwork/icon.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps
        RENAME vellora.png OPTIONAL)

add_test(NAME install_layout COMMAND ${CMAKE_CURRENT_LIST_DIR}/check-install.sh ${CMAKE_BINARY_DIR})
