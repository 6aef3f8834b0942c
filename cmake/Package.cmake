# make package: a Debian package of the install layout (cmake/Install.cmake) under /usr, with the
# dependencies dpkg-shlibdeps finds in the program. Only the "vellora" component goes in: no Projecten
# folder, so every user's projects land in their own data folder.
set(VELLORA_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/vellora)
configure_file(${CMAKE_CURRENT_LIST_DIR}/desktop/changelog.in ${CMAKE_BINARY_DIR}/changelog @ONLY)
# gzip -n: no name or time stamp in the archive, so the package is the same on every build.
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/changelog.gz
    COMMAND gzip -9nf -k ${CMAKE_BINARY_DIR}/changelog
    DEPENDS ${CMAKE_BINARY_DIR}/changelog VERBATIM)
add_custom_target(vellora_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/changelog.gz)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/desktop/copyright ${CMAKE_BINARY_DIR}/changelog.gz
        DESTINATION ${VELLORA_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vellora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "The Vellora developers <dev@vellora.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "design and print your own deck of playing cards")
set(CPACK_PACKAGE_DESCRIPTION "Vellora designs a whole deck of 56 playing cards: suit symbols in one of ten
styles, your own photos or the joker pictures that come with it on the aces,
court cards and jokers, and the faces and backs printed on A4 paper.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://www.vellora.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the program finds at run time rather than links: more photo formats, the typefaces of its design and
# the Dutch Ja and Nee of the message boxes.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "qt6-image-formats-plugins, qt6-translations-l10n, fonts-liberation2, fonts-comic-neue")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL vellora)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

# Builds the package and tries it as a user of a system-wide install would: see check-package.sh.
add_test(NAME package_unpacked
         COMMAND ${CMAKE_CURRENT_LIST_DIR}/check-package.sh ${CMAKE_BINARY_DIR} ${PROJECT_VERSION})
set_tests_properties(package_unpacked PROPERTIES LABELS "nosan;package" TIMEOUT 300 RUN_SERIAL ON)
