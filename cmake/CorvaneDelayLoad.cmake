# corvane_delay_load(<target> <lib>...): links Windows DLLs so that each is loaded at the first
# call into it rather than at start-up. For what a program rarely or never uses at all (a file
# dialog, an alert sound) that saves the DLL and everything it drags in, all day long.
# The spooler is the one Windows library whose file is not <name>.dll.
function(corvane_dll_name lib out)
    if(lib STREQUAL "winspool")
        set(${out} winspool.drv PARENT_SCOPE)
    else()
        set(${out} ${lib}.dll PARENT_SCOPE)
    endif()
endfunction()

function(corvane_delay_load target)
    if(MSVC)
        foreach(lib IN LISTS ARGN)
            corvane_dll_name(${lib} dll)
            target_link_libraries(${target} PUBLIC ${lib})
            target_link_options(${target} INTERFACE /DELAYLOAD:${dll})
        endforeach()
        target_link_libraries(${target} PUBLIC delayimp)
    elseif(MINGW AND CMAKE_SIZEOF_VOID_P EQUAL 8)
        # MinGW's binutils make the delay-import libraries from its own import libraries.
        # Not for 32-bit: there binutils 2.40 links each delay-loaded function as address 0
        # (the call jumps to nothing), so the 32-bit build imports these DLLs as usual.
        set(prefix x86_64-w64-mingw32)
        set(out ${CMAKE_BINARY_DIR}/delayload)
        foreach(lib IN LISTS ARGN)
            corvane_dll_name(${lib} dll)
            find_library(CORVANE_IMPLIB_${lib} NAMES lib${lib}.a REQUIRED NO_CACHE)
            set(delaylib ${out}/lib${lib}_delay.a)
            if(NOT EXISTS ${delaylib} OR ${CORVANE_IMPLIB_${lib}} IS_NEWER_THAN ${delaylib})
                execute_process(
                    COMMAND sh ${PROJECT_SOURCE_DIR}/cmake/make-delaylib.sh ${prefix} ${CORVANE_IMPLIB_${lib}}
                            ${dll} ${out}
                    RESULT_VARIABLE made)
                if(NOT made EQUAL 0)
                    message(FATAL_ERROR "could not make the delay-import library for ${dll}")
                endif()
            endif()
            target_link_libraries(${target} PUBLIC ${delaylib})
        endforeach()
    else()
        target_link_libraries(${target} PUBLIC ${ARGN})
    endif()
endfunction()
