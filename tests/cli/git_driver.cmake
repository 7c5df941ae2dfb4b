# Real `git diff` and `git log -p --ext-diff` with walkconv as the diff driver of walk sources
# and sailorpoints files, set up as the README shows it. Called with -DWALKCONV=<executable>
# -DGIT=<git> -DWORK_DIR=<scratch folder>, and for a Windows build -DEMULATOR=<what runs it>.
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
# Nothing of the user's or the system's git configuration takes part.
set(ENV{HOME} "${WORK_DIR}")
set(ENV{XDG_CONFIG_HOME} "${WORK_DIR}")
set(ENV{GIT_CONFIG_NOSYSTEM} 1)
set(ENV{GIT_PAGER} cat)

function(git)
    execute_process(COMMAND "${GIT}" -c user.name=walkconv -c user.email=walkconv@example.org
                            -c core.autocrlf=false ${ARGN}
        WORKING_DIRECTORY "${WORK_DIR}" RESULT_VARIABLE status
        OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "git ${ARGN} gave status ${status}: ${err}")
    endif()
    set(git_out "${out}" PARENT_SCOPE)
endfunction()

function(expect_git expected)
    git(${ARGN})
    if(NOT git_out STREQUAL expected)
        message(FATAL_ERROR "git ${ARGN} printed\n[${git_out}]\nexpected\n[${expected}]")
    endif()
endfunction()

git(init -q .)
file(WRITE "${WORK_DIR}/.gitattributes" "*_walk.c diff=walk\n*1.ini diff=walk\n")
if(EMULATOR)
    git(config diff.walk.command "\"${EMULATOR}\" \"${WALKCONV}\" diff --git")
else()
    git(config diff.walk.command "\"${WALKCONV}\" diff --git")
endif()
file(WRITE "${WORK_DIR}/ship1.ini"
    "[POINT_DATA]\npoint 0 = 1.5,2,-0.25,10\npoint 1 = 0,3,4,1\npoint 2 = 2,0.5,-2,7\n"
    "[LINK_DATA]\nlink 0 = 0,1\nlink 1 = 1,2\n")
file(WRITE "${WORK_DIR}/brig_walk.c"
    "float brig_walk_verts[3];\nint brig_walk_graph[1];\nbrig_walk_verts[0] = 1;\n"
    "brig_walk_types[0] = 5;\nbrig_walk_graph[0] = (0)*256 + (0);\n")
git(add .)
git(commit -q -m first)

# A point removed with its link, a link added, and a file deleted.
file(WRITE "${WORK_DIR}/ship1.ini"
    "[POINT_DATA]\npoint 0 = 1.5,2,-0.25,10\npoint 1 = 2,0.5,-2,7\n"
    "[LINK_DATA]\nlink 0 = 0,1\nlink 1 = 1,0\n")
file(REMOVE "${WORK_DIR}/brig_walk.c")
set(changes "walking graph of brig_walk.c\n\
point 0 removed (1, 0, 0, type 5)\n\
link 0-0 removed\n\
points: 1 removed, 0 added, 0 changed; links: 1 removed, 0 added\n\
walking graph of ship1.ini\n\
point 1 removed (0, 3, 4, type 1)\n\
link 0-1 removed\n\
link 1-2 removed\n\
link 0-1 added\n\
link 0-1 added\n\
points: 1 removed, 0 added, 0 changed; links: 2 removed, 2 added\n")
expect_git("${changes}" diff)
git(commit -q -a -m second)
expect_git("${changes}" log -1 -p --ext-diff --format=)

# A file whose graph cannot be compared takes one line, and git goes on to the next file; a
# path that begins with a dash is a path.
file(WRITE "${WORK_DIR}/-dash1.ini" "[POINT_DATA]\npoint 0 = 0,0,0,0\n[LINK_DATA]\nlink 0 = 0,0\n")
file(WRITE "${WORK_DIR}/frigate1.ini" "[POINT_DATA]\npoint 0 = 0,0,0,0\n")
git(add .)
git(commit -q -m third)
file(WRITE "${WORK_DIR}/-dash1.ini" "[POINT_DATA]\npoint 0 = 1,0,0,0\n[LINK_DATA]\nlink 0 = 0,0\n")
file(WRITE "${WORK_DIR}/frigate1.ini" "[POINT_DATA]\npoint 0 = 1,0,0,0\n")
file(WRITE "${WORK_DIR}/ship1.ini"
    "[POINT_DATA]\npoint 0 = 1.5,2,-0.25,10\npoint 1 = 2,0.5,-2,7\n[LINK_DATA]\nlink 0 = 0,1\n")
expect_git("walking graph of -dash1.ini\n\
point 0 moved (0, 0, 0) -> (1, 0, 0)\n\
points: 0 removed, 0 added, 1 changed; links: 0 removed, 0 added\n\
frigate1.ini: not a valid sailorpoints file; the text differs\n\
walking graph of ship1.ini\n\
link 0-1 removed\n\
points: 0 removed, 0 added, 0 changed; links: 1 removed, 0 added\n" diff)
