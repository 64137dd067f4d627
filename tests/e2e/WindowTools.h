// What the driver and the dialogs tool share: finding another process's windows, waiting for
// them, dumping a dialog in dialog units, clicking, closing message boxes, the command line.
#pragma once

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace e2e {

constexpr DWORD PollMs = 20;
constexpr UINT SendTimeoutMs = 5000;
constexpr int BoxTextId = 0xFFFF;  // the static that holds a message box's text
constexpr DWORD BoxCloseTimeoutMs = 10000;

// Set by RunTool: the prefix of Fail's messages.
inline const char* toolName = "";

// Prints "TOOL: MESSAGE" to stderr; returns the failure exit code 1.
inline int Fail(const std::string& message) {
    std::fprintf(stderr, "%s: %s\n", toolName, message.c_str());
    return 1;
}

inline std::string ClassOf(HWND window) {
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

// Text in double quotes, with line breaks, tabs, quotes and unprintable bytes escaped.
inline std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

inline std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(
        [](HWND window, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

inline bool IsDialog(HWND window) { return ClassOf(window) == "#32770"; }

inline bool Holds(HWND window, int id) { return GetDlgItem(window, id) != nullptr; }

inline bool IsCombo(HWND control) { return lstrcmpiA(ClassOf(control).c_str(), "ComboBox") == 0; }

// Waits until `ready` holds, polling; false after `timeoutMs`.
template <typename Condition>
bool WaitFor(DWORD timeoutMs, Condition ready) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (ready()) return true;
        if (GetTickCount64() >= deadline) return false;
        Sleep(PollMs);
    }
}

// Waits until the window `find` returns is visible (`wanted`) or is not; 0, or Fail naming KIND.
template <typename Find>
int WaitShown(DWORD timeoutMs, const std::string& kind, bool wanted, Find find) {
    const bool met = WaitFor(timeoutMs, [&] {
        HWND window = find();
        return (window != nullptr && IsWindowVisible(window)) == wanted;
    });
    return met ? 0 : Fail(kind + (wanted ? " did not appear" : " is still there"));
}

// A visible dialog holding a static -1, as a message box does, and none of `ownMarkers`, the
// controls that mark the program's own dialogs.
template <typename Markers>
bool IsMessageBox(HWND window, const Markers& ownMarkers) {
    if (!IsDialog(window) || !Holds(window, BoxTextId) || !IsWindowVisible(window)) return false;
    for (int marker : ownMarkers) {
        if (Holds(window, marker)) return false;
    }
    return true;
}

// The message boxes among the top-level windows, in z-order.
template <typename Markers>
std::vector<HWND> VisibleMessageBoxes(const Markers& ownMarkers) {
    std::vector<HWND> boxes;
    for (HWND window : TopLevelWindows()) {
        if (IsMessageBox(window, ownMarkers)) boxes.push_back(window);
    }
    return boxes;
}

// The first of VisibleMessageBoxes, or nullptr.
template <typename Markers>
HWND FirstMessageBox(const Markers& ownMarkers) {
    const std::vector<HWND> boxes = VisibleMessageBoxes(ownMarkers);
    return boxes.empty() ? nullptr : boxes.front();
}

// Waits for a message box (see IsMessageBox); nullptr after `timeoutMs`.
template <typename Markers>
HWND WaitForMessageBox(DWORD timeoutMs, const Markers& ownMarkers) {
    HWND box = nullptr;
    WaitFor(timeoutMs, [&] { return (box = FirstMessageBox(ownMarkers)) != nullptr; });
    return box;
}

// Waits until no message box is open; false after `timeoutMs`.
template <typename Markers>
bool WaitNoMessageBox(DWORD timeoutMs, const Markers& ownMarkers) {
    return WaitFor(timeoutMs, [&] { return FirstMessageBox(ownMarkers) == nullptr; });
}

// Presses BUTTON of a message box; true once the box has closed.
inline bool CloseBox(HWND box, WPARAM button) {
    PostMessageA(box, WM_COMMAND, button, 0);
    return WaitFor(BoxCloseTimeoutMs, [box] { return !IsWindow(box); });
}

// Sends a message, giving up after SendTimeoutMs; true if it was handled.
inline bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR unused = 0;
    return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, SendTimeoutMs,
                               &unused) != 0;
}

// Clicks a button. Posted when the click opens a modal window, which would keep a sent one
// waiting; otherwise sent, so that the click and what it triggers are done on return.
inline bool Click(HWND control, bool post) {
    if (post) return PostMessageA(control, BM_CLICK, 0, 0) != 0;
    return Send(control, BM_CLICK, 0, 0);
}

// Posts a key press and release to WINDOW, SCAN_CODE in the messages' bits 16-23.
inline bool PostKey(HWND window, WPARAM key, LPARAM scanCode = 0) {
    return PostMessageA(window, WM_KEYDOWN, key, 1 | scanCode << 16) &&
           PostMessageA(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001) | scanCode << 16);
}

// Prints the window's rectangle as WIDTHxHEIGHT+LEFT+TOP, the geometry ImageMagick crops by.
inline void PrintGeometry(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    std::printf("%ldx%ld+%ld+%ld\n", rect.right - rect.left, rect.bottom - rect.top, rect.left,
                rect.top);
}

// Dialog base units of "MS Sans Serif" 8, from a dialog of our own with that font: MapDialogRect
// does not work on another process's dialog.
inline POINT BaseUnits() {
    struct {
        DLGTEMPLATE header;
        WORD menu, windowClass, title, pointSize;
        WCHAR font[14];
    } dialogTemplate = {};
    dialogTemplate.header.style = WS_POPUP | DS_SETFONT;
    dialogTemplate.header.cx = 100;
    dialogTemplate.header.cy = 100;
    dialogTemplate.pointSize = 8;
    lstrcpyW(dialogTemplate.font, L"MS Sans Serif");
    HWND dialog = CreateDialogIndirectParamA(
        GetModuleHandleA(nullptr), &dialogTemplate.header, nullptr,
        [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    RECT units = {0, 0, 4, 8};
    MapDialogRect(dialog, &units);
    DestroyWindow(dialog);
    return {units.right, units.bottom};
}

inline int ToUnits(int pixels, int units, int base) {
    return static_cast<int>(std::lround(pixels * static_cast<double>(units) / base));
}

inline void PrintRect(const char* label, const RECT& rect, const POINT& base) {
    std::printf(" %s=%d,%d,%d,%d", label, ToUnits(rect.left, 4, base.x),
                ToUnits(rect.top, 8, base.y), ToUnits(rect.right - rect.left, 4, base.x),
                ToUnits(rect.bottom - rect.top, 8, base.y));
}

// Prints one line for the dialog, then one per control in template order, rectangles in dialog
// units. `textOf` reads a control's text; `withExStyle` adds each control's extended style.
inline void Dump(HWND dialog, std::string (*textOf)(HWND), bool withExStyle) {
    const POINT base = BaseUnits();
    RECT client;
    GetClientRect(dialog, &client);
    std::printf("dialog style=0x%08lx exstyle=0x%08lx visible=%d",
                GetWindowLongA(dialog, GWL_STYLE), GetWindowLongA(dialog, GWL_EXSTYLE),
                IsWindowVisible(dialog) ? 1 : 0);
    PrintRect("client", client, base);
    std::printf(" base=%ld,%ld\n", base.x, base.y);
    for (HWND control = GetWindow(dialog, GW_CHILD); control != nullptr;
         control = GetWindow(control, GW_HWNDNEXT)) {
        RECT rect;
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
        std::printf("id=%d class=%s text=%s style=0x%08lx",
                    static_cast<short>(GetDlgCtrlID(control)), ClassOf(control).c_str(),
                    Quoted(textOf(control)).c_str(), GetWindowLongA(control, GWL_STYLE));
        if (withExStyle) std::printf(" exstyle=0x%08lx", GetWindowLongA(control, GWL_EXSTYLE));
        PrintRect("rect", rect, base);
        if (IsCombo(control)) {
            RECT dropped;
            SendMessageA(control, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&dropped), 2);
            PrintRect("list", dropped, base);
        }
        std::printf("\n");
    }
}

// The command line: the command and its arguments.
struct Arguments {
    int count;
    char** values;
    std::string Command() const { return values[1]; }
    // Argument I, or `missing` where the command line ends before it.
    const char* At(int i, const char* missing = "0") const {
        return i < count ? values[i] : missing;
    }
    const char* operator[](int i) const { return At(i); }
    DWORD Number(int i) const { return static_cast<DWORD>(std::strtoul(At(i), nullptr, 0)); }
    int Integer(int i, const char* missing = "0") const {
        return static_cast<int>(std::strtol(At(i, missing), nullptr, 0));
    }
    DWORD LastNumber() const { return Number(count - 1); }  // the timeout of the wait commands
};

// A tool's main: without a command prints USAGE and returns 2; otherwise returns what RUN
// returns, stdout in Unix line ends for the scripts and Fail's messages headed by NAME.
inline int RunTool(const char* name, const char* usage, int argc, char** argv,
                   int (*run)(const Arguments&)) {
    if (argc < 2) {
        std::fputs(usage, stderr);
        return 2;
    }
    toolName = name;
    _setmode(_fileno(stdout), _O_BINARY);
    const int result = run(Arguments{argc, argv});
    std::fflush(stdout);
    return result;
}

}  // namespace e2e
