// Records every keyboard and mouse event that another process injects, one line per event:
//   recorder LOGFILE READYFILE [X Y]
// Each line is "<milliseconds since start> <event>", flushed at once; events are
// "key down 0xVV", "key up 0xVV", "move DX DY", "left down", "left up", "right down",
// "right up", "middle down", "middle up", "wheel N", "hwheel N". Lines starting with # are notes.
// The cursor is first put at X,Y (default 900,700, away from the program's windows), then the
// hooks are installed and proven live with a move of 0,0 of our own, which is not recorded;
// only then is READYFILE created. A note "# clock MS" gives the start in milliseconds of the
// performance counter, which other tools' times can be set against.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

FILE* logFile = nullptr;
LARGE_INTEGER startCount, countsPerSecond;
bool armed = false;        // hooks proven live: events are recorded from now on
bool sawOwnProbe = false;  // our own 0,0 move reached the mouse hook

double Milliseconds() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart - startCount.QuadPart) * 1000.0 /
           static_cast<double>(countsPerSecond.QuadPart);
}

void Record(const char* event) {
    std::fprintf(logFile, "%.3f %s\n", Milliseconds(), event);
    std::fflush(logFile);
}

// Wine releases after 8 report the left and right modifier codes; the program sends the
// generic ones, which older Wine passes through unchanged.
DWORD GenericKey(DWORD key) {
    switch (key) {
        case VK_LSHIFT:
        case VK_RSHIFT:
            return VK_SHIFT;
        case VK_LCONTROL:
        case VK_RCONTROL:
            return VK_CONTROL;
        case VK_LMENU:
        case VK_RMENU:
            return VK_MENU;
        default:
            return key;
    }
}

LRESULT CALLBACK KeyboardHook(int code, WPARAM message, LPARAM data) {
    const auto* info = reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
    if (code == HC_ACTION && armed && (info->flags & LLKHF_INJECTED)) {
        // ALT arrives as WM_SYSKEYDOWN / WM_SYSKEYUP.
        const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
        char line[64];
        std::snprintf(line, sizeof line, "key %s 0x%02lx", down ? "down" : "up",
                      static_cast<unsigned long>(GenericKey(info->vkCode)));
        Record(line);
    }
    return CallNextHookEx(nullptr, code, message, data);
}

const char* ButtonEvent(WPARAM message) {
    switch (message) {
        case WM_LBUTTONDOWN:
            return "left down";
        case WM_LBUTTONUP:
            return "left up";
        case WM_RBUTTONDOWN:
            return "right down";
        case WM_RBUTTONUP:
            return "right up";
        case WM_MBUTTONDOWN:
            return "middle down";
        case WM_MBUTTONUP:
            return "middle up";
        default:
            return nullptr;
    }
}

LRESULT CALLBACK MouseHook(int code, WPARAM message, LPARAM data) {
    const auto* info = reinterpret_cast<const MSLLHOOKSTRUCT*>(data);
    if (code != HC_ACTION || !(info->flags & LLMHF_INJECTED)) {
        return CallNextHookEx(nullptr, code, message, data);
    }
    char line[64] = "";
    if (message == WM_MOUSEMOVE) {
        // pt is the position after the move, unclipped; the cursor has not moved yet.
        POINT before;
        GetCursorPos(&before);
        std::snprintf(line, sizeof line, "move %ld %ld", info->pt.x - before.x,
                      info->pt.y - before.y);
        if (!armed && info->pt.x == before.x && info->pt.y == before.y) sawOwnProbe = true;
    } else if (message == WM_MOUSEWHEEL || message == WM_MOUSEHWHEEL) {
        std::snprintf(line, sizeof line, "%s %d", message == WM_MOUSEWHEEL ? "wheel" : "hwheel",
                      static_cast<int>(static_cast<short>(HIWORD(info->mouseData))));
    } else if (const char* event = ButtonEvent(message)) {
        std::snprintf(line, sizeof line, "%s", event);
    }
    if (armed && line[0] != '\0') Record(line);
    return CallNextHookEx(nullptr, code, message, data);
}

bool CreateReadyFile(const char* path) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 5) {
        std::fputs("usage: recorder LOGFILE READYFILE [X Y]\n", stderr);
        return 2;
    }
    QueryPerformanceFrequency(&countsPerSecond);
    QueryPerformanceCounter(&startCount);
    logFile = std::fopen(argv[1], "wb");
    if (logFile == nullptr) return 1;
    int mouse[3] = {0, 0, 0};
    SystemParametersInfoA(SPI_GETMOUSE, 0, mouse, 0);
    std::fprintf(logFile, "# clock %.3f\n",
                 static_cast<double>(startCount.QuadPart) * 1000.0 /
                     static_cast<double>(countsPerSecond.QuadPart));
    std::fprintf(logFile, "# mouse thresholds %d %d, acceleration %d\n", mouse[0], mouse[1],
                 mouse[2]);
    const int x = argc == 5 ? std::atoi(argv[3]) : 900;
    const int y = argc == 5 ? std::atoi(argv[4]) : 700;
    SetCursorPos(x, y);

    HINSTANCE self = GetModuleHandleA(nullptr);
    if (!SetWindowsHookExA(WH_KEYBOARD_LL, KeyboardHook, self, 0) ||
        !SetWindowsHookExA(WH_MOUSE_LL, MouseHook, self, 0)) {
        std::fputs("# hooks could not be installed\n", logFile);
        return 1;
    }
    // The probe: a 0,0 move of our own, repeated until the mouse hook has seen one.
    const UINT_PTR probeTimer = SetTimer(nullptr, 0, 50, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && !armed) {
            if (sawOwnProbe) {
                armed = true;
                KillTimer(nullptr, probeTimer);
                POINT at;
                GetCursorPos(&at);
                std::fprintf(logFile, "# ready, cursor at %ld,%ld\n", at.x, at.y);
                std::fflush(logFile);
                if (!CreateReadyFile(argv[2])) return 1;
            } else {
                mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
            }
        }
        DispatchMessageA(&message);
    }
    return 0;
}
