# Compiler settings shared by every Corvane target, chosen per compiler.
function(corvane_configure target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /permissive- /utf-8 /EHsc)
        if(CORVANE_WERROR)
            target_compile_options(${target} PRIVATE /WX)
        endif()
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor)
        if(CORVANE_WERROR)
            target_compile_options(${target} PRIVATE -Werror)
        endif()
        if(CORVANE_SANITIZE)
            target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
            target_link_options(${target} PRIVATE -fsanitize=address,undefined)
        endif()
        if(MINGW)
            # The program must run from its folder alone: no MinGW runtime DLLs beside it.
            target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
            # Each function and datum in a section of its own, so the linker can leave out
            # whatever nothing calls: the static C++ runtime brings much that is never used.
            target_compile_options(${target} PRIVATE -ffunction-sections -fdata-sections)
            target_link_options(${target} PRIVATE -Wl,--gc-sections)
            # The same exe from every build of one commit: no link time in the PE header, and
            # no build folder in the debug information (the shipped exe carries the debug
            # file's checksum). The build tree's mapping comes last: it lies inside the source
            # tree, and GCC tries the last mapping first.
            target_link_options(${target} PRIVATE -Wl,--no-insert-timestamp)
            target_compile_options(${target} PRIVATE -ffile-prefix-map=${CMAKE_SOURCE_DIR}=.
                                                     -ffile-prefix-map=${CMAKE_BINARY_DIR}=build)
        endif()
    endif()
endfunction()
