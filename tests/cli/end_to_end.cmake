# Runs the walkconv executable as a script or a build step would: its exit statuses, its
# stdout and stderr, and the files it leaves. Called with -DWALKCONV=<executable>
# -DWORK_DIR=<scratch folder>.
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}/out")
file(WRITE "${WORK_DIR}/ship1.ini"
    "[POINT_DATA]\npoint 0 = 1.5,2,-0.25,10\npoint 1 = 0,3,4,1\n[LINK_DATA]\nlink 0 = 0,1\n")

# Runs walkconv with the arguments after the three expectations, in WORK_DIR.
function(expect_run expected_status expected_out expected_err)
    execute_process(COMMAND "${WALKCONV}" ${ARGN}
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
expect_run(0 "ship_walk.c -> out/ship1.ini (2 points, 1 links)\n" "" to-ini ship_walk.c -d out)
set(expected "\r\n[SIZE]\r\npoints = 2\r\nlinks = 1\r\n\r\n[POINT_DATA]\r\n\
point 0 = 1.5,2,-0.25,10\r\npoint 1 = 0,3,4,1\r\n\r\n[LINK_DATA]\r\nlink 0 = 0,1\r\n")
file(WRITE "${WORK_DIR}/expected1.ini" "${expected}")
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
    "${WORK_DIR}/expected1.ini" "${WORK_DIR}/out/ship1.ini" RESULT_VARIABLE differs)
if(differs)
    message(FATAL_ERROR "out/ship1.ini is not the sailorpoints file expected")
endif()

expect_run(3 "" "gone_walk.c: no such file\n" check gone_walk.c)
expect_run(64 "" "walkconv: no command given\nRun 'walkconv --help' for the commands and options.\n")
