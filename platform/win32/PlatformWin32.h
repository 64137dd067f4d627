// Win32 side of the platform backend: what the shell tells it.
#pragma once

#include <windows.h>

namespace platform {

// The main control window: owner of poll timers and of owned message boxes.
void SetMainWindow(HWND window);

}  // namespace platform
