# The native debug build runs under AddressSanitizer and UndefinedBehaviorSanitizer.
option(QUORVEL_SANITIZE "Build with AddressSanitizer and UBSan" OFF)
if(NOT MSVC AND NOT CMAKE_CROSSCOMPILING AND CMAKE_BUILD_TYPE STREQUAL "Debug")
    set(QUORVEL_SANITIZE ON)
endif()
if(QUORVEL_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
