# The installed game, laid out as Debian lays out games, and its .deb (cpack).
# The program finds its images from its own folder, so the tree works under any
# prefix and DESTDIR.

set(TESSARO_APP_ID org.tessaro.tessaro)
set(TESSARO_RELEASE_DATE 2026-12-08)
set(TESSARO_MAINTAINER "Tessaro developers <developers@tessaro.invalid>" CACHE STRING "the package's maintainer")
set(TESSARO_DOCDIR share/doc/tessaro)
set(TESSARO_IMAGES_PATH ${CMAKE_INSTALL_PREFIX}/${TESSARO_INSTALL_IMAGEDIR})
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

configure_file(dist/${TESSARO_APP_ID}.metainfo.xml.in ${GENERATED_DIR}/${TESSARO_APP_ID}.metainfo.xml @ONLY)
configure_file(dist/tessaro.6.in ${GENERATED_DIR}/tessaro.6 @ONLY)

# Manual pages and changelogs are shipped compressed, without a time stamp.
set(COMPRESSED_DOCS)
foreach(doc ${GENERATED_DIR}/tessaro.6 ${CMAKE_SOURCE_DIR}/dist/changelog)
  get_filename_component(docName ${doc} NAME)
  add_custom_command(OUTPUT ${GENERATED_DIR}/${docName}.gz
    COMMAND gzip -9nc ${doc} > ${GENERATED_DIR}/${docName}.gz
    DEPENDS ${doc})
  list(APPEND COMPRESSED_DOCS ${GENERATED_DIR}/${docName}.gz)
endforeach()
add_custom_target(docs ALL DEPENDS ${COMPRESSED_DOCS})

set(IMAGE_FILES)
foreach(name ${ART_FILES})
  list(APPEND IMAGE_FILES ${DATA_DIR}/${name}.png)
endforeach()

# The replay tools beside the game: a player verifies, watches and sends the rounds kept.
install(TARGETS tessaro tessaro-verify tessaro-watch tessaro-send RUNTIME DESTINATION ${TESSARO_INSTALL_GAMEDIR})
install(FILES ${IMAGE_FILES} DESTINATION ${TESSARO_INSTALL_IMAGEDIR})
install(FILES dist/${TESSARO_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${GENERATED_DIR}/${TESSARO_APP_ID}.metainfo.xml DESTINATION share/metainfo)
foreach(side ${ICON_SIDES})
  install(FILES ${GENERATED_DIR}/icon-${side}.png
    DESTINATION share/icons/hicolor/${side}x${side}/apps RENAME tessaro.png)
endforeach()
# The replay tools are described on the game's page; their own names lead to it.
set(MANUAL_LINKS)
foreach(tool tessaro-verify tessaro-watch tessaro-send)
  file(CREATE_LINK tessaro.6.gz ${GENERATED_DIR}/${tool}.6.gz SYMBOLIC)
  list(APPEND MANUAL_LINKS ${GENERATED_DIR}/${tool}.6.gz)
endforeach()
install(FILES ${GENERATED_DIR}/tessaro.6.gz ${MANUAL_LINKS} DESTINATION share/man/man6)
install(FILES dist/copyright DESTINATION ${TESSARO_DOCDIR})
install(FILES ${GENERATED_DIR}/changelog.gz DESTINATION ${TESSARO_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessaro)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "mouse-only arcade game with a bomb on a spring")
set(CPACK_PACKAGE_DESCRIPTION
"A base turns at the centre of the field while enemies of seven kinds close in
from beyond the edges. Your one weapon is a spiked bomb tied to the centre by a
spring: grab it with the left mouse button, drag it out and let go, and it
swings back and forth, hurting every enemy it touches in proportion to its
speed. Survive 180 seconds; kills in quick succession build a combo that
multiplies their points, and the ranking keeps your best rounds.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TESSARO_MAINTAINER})
# Run-time dependencies worked out from the program by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
