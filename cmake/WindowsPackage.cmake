# `make package-windows`: walkconv-<version>-win64.zip in the build folder, holding
# walk-converter.exe, walkconv.exe and a README.txt with Windows line ends, and beside it the
# setup program walk-converter-<version>-setup.exe (NSIS). Made with every build of the Windows
# preset, so that the tests can unpack and install them.
set(WALKCONV_WINDOWS_ZIP ${CMAKE_BINARY_DIR}/walkconv-${PROJECT_VERSION}-win64.zip)
set(stage ${CMAKE_BINARY_DIR}/package-windows)
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/README.txt.in ${stage}/README.txt @ONLY
    NEWLINE_STYLE CRLF)
add_custom_command(OUTPUT ${WALKCONV_WINDOWS_ZIP}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:walkconv> ${stage}/walkconv.exe
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:walk-converter> ${stage}/walk-converter.exe
    COMMAND ${CMAKE_COMMAND} -E rm -f ${WALKCONV_WINDOWS_ZIP}
    COMMAND ${CMAKE_COMMAND} -E chdir ${stage}
            ${CMAKE_COMMAND} -E tar cf ${WALKCONV_WINDOWS_ZIP} --format=zip
            walk-converter.exe walkconv.exe README.txt
    DEPENDS walkconv walk-converter ${stage}/README.txt
    COMMENT "Packing ${WALKCONV_WINDOWS_ZIP}")
set(package_files ${WALKCONV_WINDOWS_ZIP})

# The setup program. It holds the windows (walk-converter.exe, with their Start menu shortcut
# and "Open with") once the build makes them, and the licence once the project has one.
find_program(WALKCONV_MAKENSIS makensis)
if(WALKCONV_MAKENSIS)
    set(WALKCONV_SETUP_SCRIPT ${PROJECT_SOURCE_DIR}/packaging/windows/setup.nsi)
    set(WALKCONV_WINDOWS_SETUP ${CMAKE_BINARY_DIR}/walk-converter-${PROJECT_VERSION}-setup.exe)
    # What makensis needs beside the version and the output's name; the tests make an earlier
    # version from the same.
    set(WALKCONV_SETUP_DEFINES
        -DWALKCONV_EXE=$<TARGET_FILE:walkconv> -DREADME_TXT=${stage}/README.txt)
    set(setup_depends walkconv ${stage}/README.txt ${WALKCONV_SETUP_SCRIPT})
    if(TARGET walk-converter)
        list(APPEND WALKCONV_SETUP_DEFINES -DWALK_CONVERTER_EXE=$<TARGET_FILE:walk-converter>)
        list(APPEND setup_depends walk-converter)
        set(WALKCONV_SETUP_HAS_WINDOWS ON)
    else()
        set(WALKCONV_SETUP_HAS_WINDOWS OFF)
    endif()
    foreach(licence LICENSE LICENSE.txt LICENCE LICENCE.txt COPYING)
        if(EXISTS ${PROJECT_SOURCE_DIR}/${licence})
            list(APPEND WALKCONV_SETUP_DEFINES -DLICENCE_FILE=${PROJECT_SOURCE_DIR}/${licence})
            list(APPEND setup_depends ${PROJECT_SOURCE_DIR}/${licence})
            break()
        endif()
    endforeach()
    # The program's icon.
    set(icon ${PROJECT_SOURCE_DIR}/src/icons/walk-converter.ico)
    list(APPEND WALKCONV_SETUP_DEFINES -DICON=${icon})
    list(APPEND setup_depends ${icon})
    add_custom_command(OUTPUT ${WALKCONV_WINDOWS_SETUP}
        COMMAND ${WALKCONV_MAKENSIS} -V2 -WX -DVERSION=${PROJECT_VERSION}
                -DOUTFILE=${WALKCONV_WINDOWS_SETUP} ${WALKCONV_SETUP_DEFINES}
                ${WALKCONV_SETUP_SCRIPT}
        DEPENDS ${setup_depends}
        COMMENT "Making the setup program ${WALKCONV_WINDOWS_SETUP}"
        VERBATIM)
    list(APPEND package_files ${WALKCONV_WINDOWS_SETUP})
else()
    message(WARNING "makensis (Debian package nsis) not found: no setup program is made")
endif()
add_custom_target(package-windows ALL DEPENDS ${package_files})
