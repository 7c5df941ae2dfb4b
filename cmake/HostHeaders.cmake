# Header-only libraries of the build machine (CLI11, nlohmann-json) for a cross build: their
# headers are copied into the build tree, so that the target's compiler never sees the build
# machine's /usr/include with its C library.
function(walkconv_host_header_library target header_dir)
    if(TARGET ${target})
        return()
    endif()
    set(copy ${CMAKE_BINARY_DIR}/host-headers)
    file(COPY /usr/include/${header_dir} DESTINATION ${copy})
    add_library(${target} INTERFACE IMPORTED GLOBAL)
    target_include_directories(${target} SYSTEM INTERFACE ${copy})
endfunction()
