# SPDX-License-Identifier: GPL-3.0-or-later
# The installed layout. The programs keep the folder they share in the build (bin/: talvex, robocopy
# and the burning adapter) as one private program folder, lib/talvex, so that every rule that looks
# "beside the program" holds in both layouts; the catalogues go to share/talvex/locale, where the
# program looks when there are none beside it (po/CMakeLists.txt). bin/ gets
# relative links to talvex and robocopy: /proc/self/exe resolves them into the program folder.
# robocopy goes onto the PATH because no Linux system has one of its own; a user's own robocopy
# in /usr/local/bin still comes first.
include(GNUInstallDirs)
set(TALVEX_PROGRAM_DIR lib/talvex)
set(TALVEX_DATA ${PROJECT_SOURCE_DIR}/data)
set(TALVEX_GENERATED ${CMAKE_BINARY_DIR}/data)

install(TARGETS robocopy RUNTIME DESTINATION ${TALVEX_PROGRAM_DIR})
set(TALVEX_LINKED_PROGRAMS robocopy)

# Manual pages made from each program's own usage text, compressed as Debian wants them.
function(talvex_man_page program)
    set(page ${TALVEX_GENERATED}/${program}.1)
    add_custom_command(
        OUTPUT ${page}.gz
        COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${program}> -DTEMPLATE=${TALVEX_DATA}/${program}.1.in
                -DOUTPUT=${page} -DVERSION=${PROJECT_VERSION} -P ${TALVEX_DATA}/ManPage.cmake
        COMMAND gzip -9nf ${page}
        DEPENDS ${program} ${TALVEX_DATA}/${program}.1.in ${TALVEX_DATA}/ManPage.cmake
        COMMENT "Writing the manual page of ${program}")
    add_custom_target(${program}_man_page ALL DEPENDS ${page}.gz)
    install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
talvex_man_page(robocopy)

if(TALVEX_WITH_GUI)
    install(TARGETS talvex RUNTIME DESTINATION ${TALVEX_PROGRAM_DIR})
    list(APPEND TALVEX_LINKED_PROGRAMS talvex)
    talvex_man_page(talvex)
    configure_file(${TALVEX_DATA}/talvex.desktop.in ${TALVEX_GENERATED}/${TALVEX_APP_ID}.desktop @ONLY)
    configure_file(${TALVEX_DATA}/talvex.metainfo.xml.in ${TALVEX_GENERATED}/${TALVEX_APP_ID}.metainfo.xml @ONLY)
    install(FILES ${TALVEX_GENERATED}/${TALVEX_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${TALVEX_GENERATED}/${TALVEX_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(FILES ${TALVEX_DATA}/talvex-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
            RENAME ${TALVEX_APP_ID}.xml)
    install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
endif()
if(TARGET talvex-burn)
    install(TARGETS talvex-burn RUNTIME DESTINATION ${TALVEX_PROGRAM_DIR})
endif()

foreach(program IN LISTS TALVEX_LINKED_PROGRAMS)
    install(CODE "
        set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${program}\")
        file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
        file(REMOVE \"\${link}\")
        file(CREATE_LINK ../${TALVEX_PROGRAM_DIR}/${program} \"\${link}\" SYMBOLIC)
        message(STATUS \"Linking: \${link}\")")
endforeach()

# Debian's documentation files: the copyright and a compressed changelog.
add_custom_command(
    OUTPUT ${TALVEX_GENERATED}/changelog.gz
    COMMAND gzip -9n -c ${TALVEX_DATA}/changelog > ${TALVEX_GENERATED}/changelog.gz
    DEPENDS ${TALVEX_DATA}/changelog)
add_custom_target(talvex_changelog ALL DEPENDS ${TALVEX_GENERATED}/changelog.gz)
install(FILES ${TALVEX_DATA}/copyright ${TALVEX_GENERATED}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/talvex)

# The Debian package: cpack (or the "package" target) in the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME talvex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Talvex developers <dev@talvex.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "compose, save and run robocopy jobs")
set(CPACK_PACKAGE_DESCRIPTION
    "Talvex lets you compose robocopy runs without typing switches, save them
as robocopy job files or batch files, open such files again (also
hand-written ones), run them with robocopy's output streaming live into a
log view, and turn the destination into an ISO image and burn it.
.
It comes with its own robocopy: a copy engine that accepts robocopy's
command lines and job files and really copies, mirrors, purges, filters
and logs.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TALVEX_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "genisoimage, xorriso")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
