# `make package-windows`: walkconv-<version>-win64.zip in the build folder, holding
# walk-converter.exe, walkconv.exe and a README.txt with Windows line ends. Made with every build of the Windows preset, so that
# the tests can unpack it.
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
add_custom_target(package-windows ALL DEPENDS ${WALKCONV_WINDOWS_ZIP})
