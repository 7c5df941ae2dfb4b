# What `cmake --install` puts under the prefix: the program, its desktop entry and icon, the
# file type of sailorpoints files, and the README. The command-line tool brings its own install
# rule.
include(GNUInstallDirs)

set(WALKCONV_APP_DIR ${PROJECT_SOURCE_DIR}/src/qt)
set(WALKCONV_ICONS_DIR ${PROJECT_SOURCE_DIR}/src/icons)
set(WALKCONV_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/walk-converter)

if(NOT TARGET walk-converter OR WIN32)
    return()  # walkconv alone, or a Windows build, whose program installs itself (src/win32)
endif()

install(TARGETS walk-converter RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${WALKCONV_APP_DIR}/walk-converter.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# The desktop entry names the icon "walk-converter"; the theme finds it under that name.
set(WALKCONV_ICON_DIR ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${WALKCONV_ICONS_DIR}/walk-converter-32.png
        DESTINATION ${WALKCONV_ICON_DIR}/32x32/apps RENAME walk-converter.png)
install(FILES ${WALKCONV_ICONS_DIR}/walk-converter-256.png
        DESTINATION ${WALKCONV_ICON_DIR}/256x256/apps RENAME walk-converter.png)
install(FILES ${WALKCONV_ICONS_DIR}/walk-converter.svg
        DESTINATION ${WALKCONV_ICON_DIR}/scalable/apps)

# Sailorpoints files as a type of their own (application/x-sailorpoints), which the desktop
# entry names beside C sources.
install(FILES ${WALKCONV_APP_DIR}/walk-converter.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

# Installed straight into a prefix, the desktop learns the type and the entry once their
# databases are rebuilt there. A package leaves that to the system's triggers, so nothing is
# built while CPack stages one (under _CPack_Packages) or when installing into a DESTDIR.
find_program(WALKCONV_UPDATE_MIME update-mime-database)
find_program(WALKCONV_UPDATE_DESKTOP update-desktop-database)
string(CONFIGURE [[
    set(data "${CMAKE_INSTALL_PREFIX}/@CMAKE_INSTALL_DATADIR@")
    if("$ENV{DESTDIR}" STREQUAL "" AND NOT CMAKE_INSTALL_PREFIX MATCHES "/_CPack_Packages/")
        if(EXISTS "@WALKCONV_UPDATE_MIME@")
            execute_process(COMMAND "@WALKCONV_UPDATE_MIME@" "${data}/mime")
        endif()
        if(EXISTS "@WALKCONV_UPDATE_DESKTOP@")
            execute_process(COMMAND "@WALKCONV_UPDATE_DESKTOP@" "${data}/applications")
        endif()
    endif()
]] walkconv_update_databases @ONLY)
install(CODE "${walkconv_update_databases}")

# The README with the screenshots it shows, at the same relative place.
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${WALKCONV_DOC_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION ${WALKCONV_DOC_DIR}/docs
        FILES_MATCHING PATTERN "*.png")
