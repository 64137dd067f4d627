// The process-wide Win32 handles: set once by WinMain, read everywhere in the shell.
#pragma once

#include <windows.h>

#include <cstdint>

struct ProgramGlobals {
    uint32_t platformId = 0;  // dwPlatformId of GetVersionExA
    HINSTANCE instance = nullptr;
    HWND frameWindow = nullptr;  // the hidden frame window, owner of the main control window
};

extern ProgramGlobals programGlobals;
