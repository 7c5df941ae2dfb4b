# Header-only libraries of the build machine (CLI11, nlohmann-json, the model readers) for a
# cross build: their headers (folders or single files under /usr/include) are copied into the
# build tree, so that the target's compiler never sees the build machine's /usr/include with
# its C library.
function(walkconv_host_header_library target)
    if(TARGET ${target})
        return()
    endif()
    set(copy ${CMAKE_BINARY_DIR}/host-headers)
    foreach(header IN LISTS ARGN)
        file(COPY /usr/include/${header} DESTINATION ${copy})
    endforeach()
    add_library(${target} INTERFACE IMPORTED GLOBAL)
    target_include_directories(${target} SYSTEM INTERFACE ${copy})
endfunction()
