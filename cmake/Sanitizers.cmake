# The native debug build runs under AddressSanitizer and UndefinedBehaviorSanitizer unless
# QUORVEL_SANITIZE is switched off; other builds can switch it on.
if(NOT MSVC AND NOT CMAKE_CROSSCOMPILING AND CMAKE_BUILD_TYPE STREQUAL "Debug")
    set(quorvel_sanitize_default ON)
else()
    set(quorvel_sanitize_default OFF)
endif()
option(QUORVEL_SANITIZE "Build with AddressSanitizer and UBSan" ${quorvel_sanitize_default})
if(QUORVEL_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
