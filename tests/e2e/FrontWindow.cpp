// A plain top-level window that stands for another application in front of the desktop:
//   frontwindow TITLE [X Y]
// Copied under several file names, each copy runs as a program of its own name. It shows a
// 300 x 160 window titled TITLE at X,Y (default 40,400, away from the program's windows) and
// ends when the window is closed.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

LRESULT CALLBACK FrontWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 4) {
        std::fputs("usage: frontwindow TITLE [X Y]\n", stderr);
        return 2;
    }
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = FrontWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszClassName = "QVFrontWindow";
    RegisterClassA(&windowClass);
    const int x = argc == 4 ? std::atoi(argv[2]) : 40;
    const int y = argc == 4 ? std::atoi(argv[3]) : 400;
    const HWND window = CreateWindowExA(0, "QVFrontWindow", argv[1], WS_OVERLAPPEDWINDOW, x, y, 300,
                                        160, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    ShowWindow(window, SW_SHOWNORMAL);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
