# Installs the programs with what the desktop needs around them, and packs them for Debian:
#   cmake --install build --prefix PREFIX
#   cpack --config build/CPackConfig.cmake -G DEB -B build/package
include(GNUInstallDirs)

set(PELORIN_APP_ID "example.pelorin.Pelorin" CACHE STRING
    "AppStream id, in reverse-DNS form of the homepage's domain")
set(PELORIN_HOMEPAGE "https://pelorin.example" CACHE STRING
    "Homepage, without a trailing slash; the AppStream screenshot is screenshot.png there")

install(TARGETS pelorin-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET pelorin_tiles)
    # The map's tile sources, found at ../share/pelorin beside the bin directory.
    install(FILES ${PROJECT_SOURCE_DIR}/res/tile-sources.json
            DESTINATION ${CMAKE_INSTALL_DATADIR}/pelorin)
    # Tile servers ask for a User-Agent that names the program and where to find it.
    target_compile_definitions(pelorin_tiles PRIVATE PELORIN_HOMEPAGE="${PELORIN_HOMEPAGE}")
endif()
if(TARGET pelorin)
    install(TARGETS pelorin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    # The window finds its help page at ../share/pelorin beside its bin directory.
    install(FILES ${PROJECT_SOURCE_DIR}/res/help.html
            DESTINATION ${CMAKE_INSTALL_DATADIR}/pelorin)
    install(FILES ${PROJECT_SOURCE_DIR}/res/desktop/pelorin.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${PROJECT_SOURCE_DIR}/res/desktop/pelorin-mime.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME pelorin.xml)
    configure_file(${PROJECT_SOURCE_DIR}/res/desktop/pelorin.metainfo.xml.in
                   ${PROJECT_BINARY_DIR}/${PELORIN_APP_ID}.metainfo.xml @ONLY)
    install(FILES ${PROJECT_BINARY_DIR}/${PELORIN_APP_ID}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    set(icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
    install(FILES ${PROJECT_SOURCE_DIR}/res/icons/pelorin.svg
            DESTINATION ${icons}/scalable/apps)
    foreach(size 16 24 32 48 64 128 256)
        install(FILES ${PROJECT_SOURCE_DIR}/res/icons/pelorin-${size}.png
                DESTINATION ${icons}/${size}x${size}/apps RENAME pelorin.png)
    endforeach()
endif()

set(CPACK_PACKAGE_NAME pelorin)
set(CPACK_PACKAGE_VENDOR "Pelorin developers")
set(CPACK_PACKAGE_CONTACT "Pelorin developers <pelorin@pelorin.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "analyzer for GPS track recordings")
set(CPACK_PACKAGE_DESCRIPTION "Pelorin reads GPS track recordings, lets you choose the sections of
the journey and shows their statistics and altitude profile. pelorin-cli gives the same
analysis on the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PELORIN_HOMEPAGE})
# The libraries the programs link, found by dpkg-shlibdeps; the MIME and icon caches follow
# by the triggers of shared-mime-info and hicolor-icon-theme.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Plugins no program links: the platforms, SQLite for MBTiles maps, and WebP map tiles.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6sql6-sqlite")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "shared-mime-info, hicolor-icon-theme, qt6-image-formats-plugins")
include(CPack)
