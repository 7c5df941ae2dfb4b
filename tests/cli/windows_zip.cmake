# The Windows zip as a user gets it: unpacked into an empty folder, it holds walk-converter.exe
# (a windowed program), walkconv.exe and a README.txt with Windows line ends, and the programs
# run from there with nothing beside them (no DLL of the compiler's). Called with -DZIP=<zip> -DWORK_DIR=<scratch folder>
# -DEMULATOR=<what runs a Windows program> -DOBJDUMP=<the target's objdump>.
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}/unpacked" "${WORK_DIR}/models")
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf "${ZIP}"
    WORKING_DIRECTORY "${WORK_DIR}/unpacked" COMMAND_ERROR_IS_FATAL ANY)

file(GLOB unpacked RELATIVE "${WORK_DIR}/unpacked" "${WORK_DIR}/unpacked/*")
list(SORT unpacked)
if(NOT unpacked STREQUAL "README.txt;walk-converter.exe;walkconv.exe")
    message(FATAL_ERROR
        "the zip holds [${unpacked}], not README.txt, walk-converter.exe and walkconv.exe")
endif()

file(READ "${WORK_DIR}/unpacked/README.txt" readme)
if(NOT readme MATCHES "walk-converter.exe.*walkconv to-ini.*to-walk.*check.*64")
    message(FATAL_ERROR "README.txt lacks the windows, the commands or the exit statuses")
endif()
# Byte by byte, since file(READ) as text drops the CRs: every LF follows a CR, and every CR
# precedes an LF.
file(READ "${WORK_DIR}/unpacked/README.txt" bytes HEX)
string(REGEX REPLACE "(..)" "\\1 " bytes "${bytes}")
string(REGEX MATCHALL "0a " lf "${bytes}")
string(REGEX MATCHALL "0d " cr "${bytes}")
string(REGEX MATCHALL "0d 0a " crlf "${bytes}")
list(LENGTH lf lf)
list(LENGTH cr cr)
list(LENGTH crlf crlf)
if(lf EQUAL 0 OR NOT lf EQUAL crlf OR NOT cr EQUAL crlf)
    message(FATAL_ERROR "README.txt has ${lf} LF, ${cr} CR, ${crlf} CR LF: not Windows line ends")
endif()

if(OBJDUMP)
    foreach(program walkconv.exe walk-converter.exe)
        execute_process(COMMAND "${OBJDUMP}" -p "${WORK_DIR}/unpacked/${program}"
            OUTPUT_VARIABLE headers COMMAND_ERROR_IS_FATAL ANY)
        string(REGEX MATCHALL "DLL Name: [^\n]+" dlls "${headers}")
        string(TOLOWER "${dlls}" dlls)
        if(dlls MATCHES "libstdc|libgcc|libwinpthread")
            message(FATAL_ERROR "${program} needs DLLs of the compiler: ${dlls}")
        endif()
        if(program STREQUAL "walk-converter.exe" AND NOT headers MATCHES "Windows GUI")
            message(FATAL_ERROR "walk-converter.exe is not a windowed program (subsystem)")
        endif()
    endforeach()
endif()

file(WRITE "${WORK_DIR}/models/deck1.ini"
    "[POINT_DATA]\npoint 0 = 1,2,3,0\npoint 1 = 4,5,6,1\n[LINK_DATA]\nlink 0 = 0,1\n")
execute_process(COMMAND ${EMULATOR} "${WORK_DIR}/unpacked/walkconv.exe" to-walk ../models/deck1.ini
    WORKING_DIRECTORY "${WORK_DIR}/unpacked"
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT EXISTS "${WORK_DIR}/models/deck_walk.c")
    message(FATAL_ERROR "walkconv.exe from the zip gave status ${status}: ${out}${err}")
endif()
