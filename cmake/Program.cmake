# The Windows program Quorvel.exe, and its ready folder dist/ (the exe, a default Quorvel.cfg and a
# readme) with a zip of it.
enable_language(RC)

add_executable(Quorvel WIN32
    app/Application_win32.cpp
    app/Dialogs_win32.cpp
    app/ForegroundWatch_win32.cpp
    app/MainWindow_win32.cpp
    app/ProfileDialogs_win32.cpp
    app/SliderControl_win32.cpp
    app/WinMain_win32.cpp
    editor/ButtonConfigDialog_win32.cpp
    editor/DialogControls_win32.cpp
    editor/WindowDrag_win32.cpp
    resources/Quorvel.rc
)
target_link_libraries(Quorvel PRIVATE shell win32platform comctl32 shell32 ole32 advapi32 winmm
                                      user32)
# The resource script names its icon and manifest relative to its own directory.
target_include_directories(Quorvel PRIVATE ${PROJECT_SOURCE_DIR}/resources)
quorvel_warnings(Quorvel)
if(MINGW)
    # No libgcc, libstdc++ or winpthread DLL beside the exe; small and stripped.
    target_compile_options(Quorvel PRIVATE -Os)
    target_link_options(Quorvel PRIVATE -static -s -Wl,--gc-sections)
elseif(MSVC)
    # The resource script carries the manifest.
    target_link_options(Quorvel PRIVATE /MANIFEST:NO)
endif()

# The default configuration comes from the project's own qvtool, built for the build machine.
if(CMAKE_CROSSCOMPILING)
    include(ExternalProject)
    set(HOST_TOOLS_DIR ${CMAKE_BINARY_DIR}/host-tools)
    ExternalProject_Add(host_qvtool
        SOURCE_DIR ${PROJECT_SOURCE_DIR}
        BINARY_DIR ${HOST_TOOLS_DIR}
        CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DQUORVEL_TESTS=OFF
        BUILD_COMMAND ${CMAKE_COMMAND} --build ${HOST_TOOLS_DIR} --target qvtool
        INSTALL_COMMAND ""
        BUILD_ALWAYS ON
        BUILD_BYPRODUCTS ${HOST_TOOLS_DIR}/qvtool
    )
    set(QVTOOL ${HOST_TOOLS_DIR}/qvtool)
    set(QVTOOL_DEPENDS host_qvtool ${HOST_TOOLS_DIR}/qvtool)
else()
    set(QVTOOL $<TARGET_FILE:qvtool>)
    set(QVTOOL_DEPENDS qvtool)
endif()

set(DIST_DIR ${CMAKE_BINARY_DIR}/dist)
set(DIST_ZIP ${CMAKE_BINARY_DIR}/Quorvel-${CMAKE_SYSTEM_PROCESSOR}.zip)
add_custom_command(OUTPUT ${DIST_DIR}/Quorvel.cfg
    COMMAND ${CMAKE_COMMAND} -E make_directory ${DIST_DIR}
    COMMAND ${QVTOOL} default-config ${DIST_DIR}/Quorvel.cfg
    DEPENDS ${QVTOOL_DEPENDS}
    COMMENT "Writing the default Quorvel.cfg")
add_custom_command(OUTPUT ${DIST_DIR}/Quorvel.exe ${DIST_DIR}/README.txt
    COMMAND ${CMAKE_COMMAND} -E make_directory ${DIST_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Quorvel> ${DIST_DIR}/Quorvel.exe
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/package/README.txt ${DIST_DIR}/README.txt
    DEPENDS Quorvel ${PROJECT_SOURCE_DIR}/package/README.txt)
add_custom_command(OUTPUT ${DIST_ZIP}
    COMMAND ${CMAKE_COMMAND} -E tar cf ${DIST_ZIP} --format=zip Quorvel.exe Quorvel.cfg README.txt
    WORKING_DIRECTORY ${DIST_DIR}
    DEPENDS ${DIST_DIR}/Quorvel.exe ${DIST_DIR}/Quorvel.cfg ${DIST_DIR}/README.txt
    COMMENT "Packing ${DIST_ZIP}")
add_custom_target(dist ALL DEPENDS ${DIST_ZIP})
