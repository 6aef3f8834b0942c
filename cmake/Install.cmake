# cmake --install lays the program out as one application folder, as it runs from the build tree:
#   <prefix>/lib/vellora/{vellora, Data, Backgrounds, Help, Projecten, Artwork}
# with a launcher link in <prefix>/bin, a desktop entry, the icons and the AppStream metadata. Projects are
# saved in the application folder's Projecten while its user may write there (e.g. --prefix ~/.local), else in
# the user's own data folder. The Debian package leaves Projecten out (component "projects"): a system-wide
# install always keeps them in the user's folder.
include(GNUInstallDirs)
# lib, never lib/<multiarch>: the folder holds a program and its data, not libraries.
set(VELLORA_INSTALL_APPDIR lib/vellora)
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME vellora)

install(TARGETS vellora RUNTIME DESTINATION ${VELLORA_INSTALL_APPDIR})
foreach(folder Data Backgrounds Help Artwork)
    install(DIRECTORY ${VELLORA_APPDIR}/${folder} DESTINATION ${VELLORA_INSTALL_APPDIR} OPTIONAL)
endforeach()
install(DIRECTORY DESTINATION ${VELLORA_INSTALL_APPDIR}/Projecten COMPONENT projects)

install(CODE "
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(CREATE_LINK ../${VELLORA_INSTALL_APPDIR}/vellora
         \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/vellora\" SYMBOLIC)
")

install(FILES ${CMAKE_BINARY_DIR}/man/en/vellora.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/man/nl/vellora.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/nl/man1)

set(VELLORA_LAUNCHER vellora)
configure_file(${CMAKE_CURRENT_LIST_DIR}/desktop/vellora.desktop.in ${CMAKE_BINARY_DIR}/vellora.desktop @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/vellora.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 32 64 128 256)
    install(FILES ${VELLORA_ICON_DIR}/vellora-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME vellora.png)
endforeach()
install(FILES ${VELLORA_ICON_DIR}/vellora.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
configure_file(${CMAKE_CURRENT_LIST_DIR}/desktop/vellora.metainfo.xml.in ${CMAKE_BINARY_DIR}/vellora.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/vellora.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        RENAME example.vellora.Vellora.metainfo.xml)

add_test(NAME install_layout COMMAND ${CMAKE_CURRENT_LIST_DIR}/check-install.sh ${CMAKE_BINARY_DIR})
