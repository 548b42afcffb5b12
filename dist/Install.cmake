# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quillet developers
# Installing the program as a desktop program (make install) and the Debian package
# (make package).
include(GNUInstallDirs)

# The manual pages and the software-centre description carry the project's version: they are
# written into the build folder from their .in files. Manual pages are installed compressed, as
# Debian's policy asks.
configure_file(dist/org.example.quillet.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/dist/org.example.quillet.metainfo.xml @ONLY)
set(QUILLET_MAN_PAGES)
foreach(page quillet.1 qbank.1)
    configure_file(dist/${page}.in ${CMAKE_BINARY_DIR}/dist/${page} @ONLY)
    set(out ${CMAKE_BINARY_DIR}/man/${page}.gz)
    add_custom_command(
        OUTPUT ${out}
        COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/dist/${page} ${CMAKE_BINARY_DIR}/man/${page}
        COMMAND gzip -9nf ${CMAKE_BINARY_DIR}/man/${page}
        DEPENDS ${CMAKE_BINARY_DIR}/dist/${page}
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

# Two packages: quillet, and quillet-sounds with the sound module and the cues. Playing sound
# brings Qt Multimedia and its back ends (about a hundred packages) for five short cues; the
# program loads the module only when a sound plays and stays silent without it, so quillet
# only recommends quillet-sounds.
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME quillet)
install(TARGETS quillet qbank RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT quillet)
install(TARGETS quillet_sound LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/quillet COMPONENT sounds)
install(FILES ${CMAKE_BINARY_DIR}/quillet.dat DESTINATION ${CMAKE_INSTALL_DATADIR}/quillet
        COMPONENT quillet)
install(FILES ${QUILLET_SOUND_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/quillet
        COMPONENT sounds)
install(FILES dist/org.example.quillet.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
        COMPONENT quillet)
install(FILES ${CMAKE_BINARY_DIR}/dist/org.example.quillet.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT quillet)
install(DIRECTORY src/assets/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons COMPONENT quillet)
install(FILES ${QUILLET_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT quillet)
foreach(component quillet sounds)
    set(package quillet)
    if(component STREQUAL sounds)
        set(package quillet-sounds)
    endif()
    install(FILES dist/copyright ${QUILLET_CHANGELOG}
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package} COMPONENT ${component})
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillet)
set(CPACK_PACKAGE_VENDOR "The Quillet developers")
set(CPACK_PACKAGE_CONTACT "The Quillet developers <quillet@example.org>")
# Each package's description starts with its own synopsis line; a package-wide summary
# (CPACK_PACKAGE_DESCRIPTION_SUMMARY) would be put before both packages' descriptions.
set(QUILLET_DESCRIPTION
    "Quillet asks the multiple-choice questions of the written examinations of US\n"
    "amateur-radio operators (Technician, General and Amateur Extra) one at a time,\n"
    "from the current public question pools, with their figures. The student picks\n"
    "the sections to study and one of six test modes (each question once, until\n"
    "answered right, continuous, a simulated exam, the real exam with one question\n"
    "from each group of the pool, or a review of what was missed last time), and\n"
    "gets a score report per section against the element's pass mark.\n")
string(REPLACE ";" "" QUILLET_DESCRIPTION "${QUILLET_DESCRIPTION}")
set(CPACK_DEBIAN_QUILLET_DESCRIPTION
    "study program for the US amateur-radio license examinations\n${QUILLET_DESCRIPTION}\n"
    "This package holds the program, its question bank built from the pools, and\n"
    "qbank, the tool that builds a question bank from pool files.")
set(CPACK_DEBIAN_SOUNDS_DESCRIPTION
    "sound cues for the Quillet amateur-radio exam study program\n${QUILLET_DESCRIPTION}\n"
    "This package holds the five sound cues the program plays and the module that\n"
    "plays them. Without it the program runs silently.")
string(REPLACE ";" "" CPACK_DEBIAN_QUILLET_DESCRIPTION "${CPACK_DEBIAN_QUILLET_DESCRIPTION}")
string(REPLACE ";" "" CPACK_DEBIAN_SOUNDS_DESCRIPTION "${CPACK_DEBIAN_SOUNDS_DESCRIPTION}")
# A Homepage field only when the program has a home page.
if(QUILLET_HOME_PAGE)
    set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${QUILLET_HOME_PAGE}")
endif()

set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL quillet sounds)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_QUILLET_PACKAGE_NAME quillet)
set(CPACK_DEBIAN_SOUNDS_PACKAGE_NAME quillet-sounds)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries' packages are found from each package's programs and module by
# dpkg-shlibdeps; the fonts the windows' layouts are measured in are not a library, so they
# are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_QUILLET_PACKAGE_DEPENDS "fonts-liberation2")
set(CPACK_DEBIAN_QUILLET_PACKAGE_RECOMMENDS "quillet-sounds")
set(CPACK_DEBIAN_SOUNDS_PACKAGE_DEPENDS "quillet (= ${PROJECT_VERSION})")
include(CPack)
