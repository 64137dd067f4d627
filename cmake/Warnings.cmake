# Warnings are errors everywhere.
function(quorvel_warnings target)
    if(MSVC)
        # The standard C library functions the code uses are not deprecated in standard C++.
        target_compile_options(${target} PRIVATE /W4 /WX /permissive-)
        target_compile_definitions(${target} PRIVATE _CRT_SECURE_NO_WARNINGS)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Werror)
    endif()
endfunction()
