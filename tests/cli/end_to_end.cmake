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

expect_run(0 "ship1.ini -> ship_walk.c (2 points, 1 links)\n" "" to-walk ship1.ini)
expect_run(0 "ship_walk.c -> out${sep}ship1.ini (2 points, 1 links)\n" "" to-ini ship_walk.c -d out)
set(expected "\r\n[SIZE]\r\npoints = 2\r\nlinks = 1\r\n\r\n[POINT_DATA]\r\n\
point 0 = 1.5,2,-0.25,10\r\npoint 1 = 0,3,4,1\r\n\r\n[LINK_DATA]\r\nlink 0 = 0,1\r\n")
file(WRITE "${WORK_DIR}/expected1.ini" "${expected}")
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
    "${WORK_DIR}/expected1.ini" "${WORK_DIR}/out/ship1.ini" RESULT_VARIABLE differs)
if(differs)
    message(FATAL_ERROR "out/ship1.ini is not the sailorpoints file expected")
endif()

expect_run(0 "ship_walk.c -> out${sep}ship_graph.svg (2 points, 1 links, 0 findings)\n" ""
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
    expect_run(0 "${model}_walk.c -> ${model}1.ini (2 points, 1 links)\n" "" to-ini ${model}_walk.c)
    if(NOT EXISTS "${WORK_DIR}/${model}1.ini")
        message(FATAL_ERROR "${model}1.ini was not written")
    endif()
endforeach()

# A path that begins with "/" is an input, not an option (on Windows: from the drive's root).
expect_run(0 "${WORK_DIR}/ship1.ini -> ${WORK_DIR}/ship_walk.c (2 points, 1 links)\n" ""
    to-walk "${WORK_DIR}/ship1.ini")

if(WINDOWS)
    # As typed in cmd.exe, which hands wildcards over: the program expands them, matching names
    # without regard to case, and keeps the folder as typed.
    file(MAKE_DIRECTORY "${WORK_DIR}/models" "${WORK_DIR}/ini")
    foreach(name IN ITEMS deck_walk.c Brig_WALK.C anchor_walk.c.bak hull1.ini)
        file(COPY_FILE "${WORK_DIR}/ship_walk.c" "${WORK_DIR}/models/${name}")
    endforeach()
    expect_run(0 "models\\Brig_WALK.C -> ini\\Brig1.ini (2 points, 1 links)\n\
models\\deck_walk.c -> ini\\deck1.ini (2 points, 1 links)\n" "" to-ini "models\\*_walk.c" -d ini)
    expect_run(3 "" "models\\*_hull.c: no file matches\n" check "models\\*_hull.c")
    execute_process(COMMAND ${EMULATOR} "${WALKCONV}" --help OUTPUT_VARIABLE help)
    expect_run(0 "${help}" "" "/?")
endif()
