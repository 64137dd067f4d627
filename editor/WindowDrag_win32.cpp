// Moving a captionless window by dragging its background.
#include "editor/WindowDrag_win32.h"

namespace {

// Moves the window by the cursor's displacement since the last step.
void FollowCursor(HWND window, WindowDrag& drag) {
    POINT cursor;
    GetCursorPos(&cursor);
    RECT frame;
    GetWindowRect(window, &frame);
    SetWindowPos(window, nullptr, frame.left + cursor.x - drag.last.x,
                 frame.top + cursor.y - drag.last.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    drag.last = cursor;
}

}  // namespace

bool HandleDragMessage(HWND window, UINT message, WindowDrag& drag) {
    switch (message) {
        case WM_LBUTTONDOWN:
            drag.dragging = true;
            GetCursorPos(&drag.last);
            SetCapture(window);
            return true;
        case WM_MOUSEMOVE:
            if (drag.dragging) FollowCursor(window, drag);
            return true;
        case WM_LBUTTONUP:
            drag.dragging = false;
            GetCursorPos(&drag.last);
            ReleaseCapture();
            return true;
        default:
            return false;
    }
}
