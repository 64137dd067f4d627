// Window dragging for captionless windows: a press on the background, moves, a release.
#pragma once

#include <windows.h>

struct WindowDrag {
    bool dragging = false;
    POINT last = {0, 0};  // cursor position in screen coordinates at the last step
};

// Handles WM_LBUTTONDOWN, WM_MOUSEMOVE and WM_LBUTTONUP for `window` with its own drag state;
// returns false for every other message, which it leaves alone.
bool HandleDragMessage(HWND window, UINT message, WindowDrag& drag);
