# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quillet developers
# Installing the program as a desktop program (make install) and the Debian package
# (make package).
include(GNUInstallDirs)

# Manual pages are installed compressed, as Debian's policy asks.
set(QUILLET_MAN_PAGES)
foreach(page quillet.1 qbank.1)
    set(out ${CMAKE_BINARY_DIR}/man/${page}.gz)
    add_custom_command(
        OUTPUT ${out}
        COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/dist/${page} ${CMAKE_BINARY_DIR}/man/${page}
        COMMAND gzip -9nf ${CMAKE_BINARY_DIR}/man/${page}
        DEPENDS ${CMAKE_SOURCE_DIR}/dist/${page}
        VERBATIM)
    list(APPEND QUILLET_MAN_PAGES ${out})
endforeach()
add_custom_target(manpages ALL DEPENDS ${QUILLET_MAN_PAGES})

# The release notes, compressed under the name Debian gives a native package's changelog.
set(QUILLET_CHANGELOG ${CMAKE_BINARY_DIR}/doc/changelog.gz)
add_custom_command(
    OUTPUT ${QUILLET_CHANGELOG}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/dist/changelog ${CMAKE_BINARY_DIR}/doc/changelog
    COMMAND gzip -9nf ${CMAKE_BINARY_DIR}/doc/changelog
    DEPENDS ${CMAKE_SOURCE_DIR}/dist/changelog
    VERBATIM)
add_custom_target(changelog ALL DEPENDS ${QUILLET_CHANGELOG})

install(TARGETS quillet qbank RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS quillet_sound LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/quillet)
install(FILES ${CMAKE_BINARY_DIR}/quillet.dat ${QUILLET_SOUND_FILES}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/quillet)
install(FILES dist/org.example.quillet.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES dist/org.example.quillet.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY src/assets/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${QUILLET_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES dist/copyright ${QUILLET_CHANGELOG}
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/quillet)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillet)
set(CPACK_PACKAGE_VENDOR "The Quillet developers")
set(CPACK_PACKAGE_CONTACT "The Quillet developers <quillet@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "study program for the US amateur-radio license examinations")
set(CPACK_PACKAGE_DESCRIPTION
    "Quillet asks the multiple-choice questions of the written examinations of US\n"
    "amateur-radio operators (Technician, General and Amateur Extra) one at a time,\n"
    "from the current public question pools, with their figures. The student picks\n"
    "the sections to study and one of six test modes (each question once, until\n"
    "answered right, continuous, a simulated exam, the real exam with one question\n"
    "from each group of the pool, or a review of what was missed last time), and\n"
    "gets a score report per section against the element's pass mark.\n"
    "\n"
    "The package holds the program, its question bank built from the pools, its\n"
    "sound cues, and qbank, the tool that builds a question bank from pool files.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries' packages are found from the programs by dpkg-shlibdeps; the fonts the
# windows' layouts are measured in are not a library, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
include(CPack)
