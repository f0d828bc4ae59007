# corvane_wine_skip_test(<wine-dir> <reason>): records why this tree's Windows tests cannot run
# and registers the one ctest entry that says so. The reason is machine text (the kernel's own
# words hold an apostrophe and parentheses) and may hold anything a shell treats specially, so
# it reaches the test through a file and is printed by a script, never spliced into a command.
function(corvane_wine_skip_test wine_dir reason)
    file(WRITE ${wine_dir}/unavailable "${reason}\n")
    add_test(NAME wine.unavailable
             COMMAND sh ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/wine/skipped.sh ${wine_dir}/unavailable)
    set_tests_properties(wine.unavailable PROPERTIES SKIP_RETURN_CODE 77)
endfunction()
