# Runs the walkconv executable as a script or a build step would: its exit statuses, its
# stdout and stderr, and the files it leaves. Called with -DWALKCONV=<executable>
# -DWORK_DIR=<scratch folder>, and for a Windows build -DEMULATOR=<what runs it> -DWINDOWS=ON.
if(WINDOWS)
    set(sep "\\")
else()
    set(sep "/")
endif()
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}/out")
file(WRITE "${WORK_DIR}/ship1.ini"
    "[POINT_DATA]\npoint 0 = 1.5,2,-0.25,10\npoint 1 = 0,3,4,1\n[LINK_DATA]\nlink 0 = 0,1\n")

# Runs walkconv with the arguments after the three expectations, in WORK_DIR.
function(expect_run expected_status expected_out expected_err)
    execute_process(COMMAND ${EMULATOR} "${WALKCONV}" ${ARGN}
        WORKING_DIRECTORY "${WORK_DIR}"
        RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT status STREQUAL expected_status OR NOT out STREQUAL expected_out
            OR NOT err STREQUAL expected_err)
        message(FATAL_ERROR "walkconv ${ARGN}\n"
            "gave status ${status}, stdout [${out}], stderr [${err}]\n"
            "expected status ${expected_status}, stdout [${expected_out}], "
            "stderr [${expected_err}]")
    endif()
endfunction()

expect_run(0 "ship1.ini -> ship_walk.c (2 points, 1 link)\n" "" to-walk ship1.ini)
expect_run(0 "ship_walk.c -> out${sep}ship1.ini (2 points, 1 link)\n" "" to-ini ship_walk.c -d out)
set(expected "\r\n[SIZE]\r\npoints = 2\r\nlinks = 1\r\n\r\n[POINT_DATA]\r\n\
point 0 = 1.5,2,-0.25,10\r\npoint 1 = 0,3,4,1\r\n\r\n[LINK_DATA]\r\nlink 0 = 0,1\r\n")
file(WRITE "${WORK_DIR}/expected1.ini" "${expected}")
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
    "${WORK_DIR}/expected1.ini" "${WORK_DIR}/out/ship1.ini" RESULT_VARIABLE differs)
if(differs)
    message(FATAL_ERROR "out/ship1.ini is not the sailorpoints file expected")
endif()

# -o - puts the output's bytes alone on stdout, CR LF as they are; the line about it goes to
# stderr. A device is written into: NUL on Windows, /dev/null elsewhere.
execute_process(COMMAND ${EMULATOR} "${WALKCONV}" to-ini ship_walk.c -o -
    WORKING_DIRECTORY "${WORK_DIR}" OUTPUT_FILE "${WORK_DIR}/stdout1.ini"
    RESULT_VARIABLE status ERROR_VARIABLE err)
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
    "${WORK_DIR}/expected1.ini" "${WORK_DIR}/stdout1.ini" RESULT_VARIABLE differs)
if(NOT status EQUAL 0 OR differs OR NOT err STREQUAL "ship_walk.c -> - (2 points, 1 link)\n")
    message(FATAL_ERROR "-o - gave status ${status}, stderr [${err}], and other bytes")
endif()
if(WINDOWS)
    expect_run(0 "" "" to-ini ship_walk.c -q -o NUL)
    # Names that differ in case alone are one file on Windows.
    file(MAKE_DIRECTORY "${WORK_DIR}/upper")
    file(COPY_FILE "${WORK_DIR}/ship_walk.c" "${WORK_DIR}/upper/SHIP_walk.c")
    expect_run(64 "" "walkconv: ship_walk.c and upper\\SHIP_walk.c would both write \
out\\SHIP1.ini\nRun 'walkconv --help' for the commands and options.\n"
        to-ini ship_walk.c "upper\\SHIP_walk.c" -d out)
else()
    expect_run(0 "" "" to-ini ship_walk.c -q -o /dev/null)
    # Through /dev/stdout into a file that a shell opened: the output lands between the lines
    # the shell wrote, and the file stays the shell's.
    execute_process(COMMAND sh -c "{ echo header; '${WALKCONV}' to-ini ship_walk.c -q -o /dev/stdout; echo footer; } > log.txt"
        WORKING_DIRECTORY "${WORK_DIR}" RESULT_VARIABLE status)
    file(WRITE "${WORK_DIR}/expected.txt" "header\n${expected}footer\n")
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
        "${WORK_DIR}/expected.txt" "${WORK_DIR}/log.txt" RESULT_VARIABLE differs)
    file(READ "${WORK_DIR}/log.txt" log)
    if(NOT status EQUAL 0 OR differs)
        message(FATAL_ERROR "-o /dev/stdout into a file gave status ${status} and [${log}]")
    endif()
endif()
if(EXISTS "${WORK_DIR}/NUL" OR EXISTS "${WORK_DIR}/-")
    message(FATAL_ERROR "a device name or - was written as a file")
endif()

expect_run(0 "ship_walk.c -> out${sep}ship_graph.svg (2 points, 1 link, 0 findings)\n" ""
    render ship_walk.c -d out)
file(READ "${WORK_DIR}/out/ship_graph.svg" svg)
if(NOT svg MATCHES "^<\\?xml [^\n]*\n<svg .*</svg>\n$")
    message(FATAL_ERROR "out/ship_graph.svg is not an SVG document")
endif()

expect_run(3 "" "gone_walk.c: no such file\n" check gone_walk.c)
expect_run(64 "" "walkconv: no command given\nRun 'walkconv --help' for the commands and options.\n")

# Names beyond any one code page come in and go out as UTF-8, also through a pipe.
foreach(model IN ITEMS "брюкке" "brücke")
    file(COPY_FILE "${WORK_DIR}/ship_walk.c" "${WORK_DIR}/${model}_walk.c")
    expect_run(0 "${model}_walk.c -> ${model}1.ini (2 points, 1 link)\n" "" to-ini ${model}_walk.c)
    if(NOT EXISTS "${WORK_DIR}/${model}1.ini")
        message(FATAL_ERROR "${model}1.ini was not written")
    endif()
endforeach()

# A path that begins with "/" is an input, not an option (on Windows: from the drive's root).
expect_run(0 "${WORK_DIR}/ship1.ini -> ${WORK_DIR}/ship_walk.c (2 points, 1 link)\n" ""
    to-walk "${WORK_DIR}/ship1.ini")

if(WINDOWS)
    # As typed in cmd.exe, which hands wildcards over: the program expands them, matching names
    # without regard to case, and keeps the folder as typed.
    file(MAKE_DIRECTORY "${WORK_DIR}/models" "${WORK_DIR}/ini")
    foreach(name IN ITEMS deck_walk.c Brig_WALK.C anchor_walk.c.bak hull1.ini)
        file(COPY_FILE "${WORK_DIR}/ship_walk.c" "${WORK_DIR}/models/${name}")
    endforeach()
    expect_run(0 "models\\Brig_WALK.C -> ini\\Brig1.ini (2 points, 1 link)\n\
models\\deck_walk.c -> ini\\deck1.ini (2 points, 1 link)\n" "" to-ini "models\\*_walk.c" -d ini)
    expect_run(3 "" "models\\*_hull.c: no file matches\n" check "models\\*_hull.c")
    execute_process(COMMAND ${EMULATOR} "${WALKCONV}" --help OUTPUT_VARIABLE help)
    expect_run(0 "${help}" "" "/?")
endif()
