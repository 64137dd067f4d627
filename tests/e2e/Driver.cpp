// Finds Quorvel's windows from another process and works them the way a user would:
//   driver COMMAND [ARGUMENTS]   (times in milliseconds; exit 0 on success, 1 on failure)
// The main control window is the top-level dialog owned by the hidden frame window ("Quorvel",
// class QVMainFrame) that holds the joystick selector 1038. A dialog is "about" (it holds 1039)
// or "enable" (it holds 1044); a message box is any other top-level dialog with a static -1.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "WindowTools.h"

namespace e2e {
namespace {

constexpr int SelectorId = 1038;
constexpr int AboutNoticeId = 1039;
constexpr int FirstEnableBoxId = 1044;
constexpr int BoxIconId = 1088;
constexpr int OwnMarkers[] = {SelectorId, AboutNoticeId, FirstEnableBoxId};

// The caption: all that GetWindowText reads of another process's window.
std::string TextOf(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

bool IsFrame(HWND window) {
    return window != nullptr && lstrcmpiA(ClassOf(window).c_str(), "QVMainFrame") == 0 &&
           TextOf(window) == "Quorvel";
}

HWND FindMain() {
    for (HWND window : TopLevelWindows()) {
        if (IsDialog(window) && IsFrame(GetWindow(window, GW_OWNER)) &&
            GetDlgItem(window, SelectorId) != nullptr) {
            return window;
        }
    }
    return nullptr;
}

HWND FindDialog(const std::string& kind) {
    if (kind == "main") return FindMain();
    const int marker = kind == "about" ? AboutNoticeId : FirstEnableBoxId;
    if (kind != "about" && kind != "enable") return nullptr;
    for (HWND window : TopLevelWindows()) {
        if (IsDialog(window) && GetDlgItem(window, marker) != nullptr) return window;
    }
    return nullptr;
}

std::string OwnerName(HWND window) {
    HWND owner = GetWindow(window, GW_OWNER);
    if (owner == nullptr) return "none";
    if (owner == FindMain()) return "main";
    if (IsFrame(owner)) return "frame";
    return "other";
}

void PrintBox(HWND box) {
    HWND icon = GetDlgItem(box, BoxIconId);
    std::printf("owner=%s title=%s text=%s icon=%d\n", OwnerName(box).c_str(),
                Quoted(TextOf(box)).c_str(), Quoted(TextOf(GetDlgItem(box, BoxTextId))).c_str(),
                icon != nullptr && IsWindowVisible(icon) ? 1 : 0);
}

// The main control window's process has entered its message loop: it waits for input and
// runs at the real-time priority class. Prints the milliseconds since the process started.
int WaitReady(DWORD timeoutMs) {
    const ULONGLONG start = GetTickCount64();
    HWND main = nullptr;
    if (!WaitFor(timeoutMs, [&] { return (main = FindMain()) != nullptr; })) {
        return Fail("no main control window");
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(main, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId);
    if (process == nullptr) return Fail("cannot open the program's process");
    const DWORD left = static_cast<DWORD>(timeoutMs - (GetTickCount64() - start));
    const bool ready = WaitForInputIdle(process, left) == 0 && WaitFor(left, [&] {
                           return GetPriorityClass(process) == REALTIME_PRIORITY_CLASS;
                       });
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(process, &created, &exited, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    CloseHandle(process);
    if (!ready) return Fail("the program did not reach its message loop");
    const auto ticks = [](const FILETIME& time) {
        return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    std::printf("ready %llu ms\n", (ticks(now) - ticks(created)) / 10000);
    return 0;
}

int Slider(HWND main, int id, int position) {
    HWND trackbar = GetDlgItem(main, id);
    if (trackbar == nullptr) return Fail("no trackbar " + std::to_string(id));
    SendMessageA(trackbar, TBM_SETPOS, TRUE, position);
    SendMessageA(main, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position),
                 reinterpret_cast<LPARAM>(trackbar));
    SendMessageA(main, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(trackbar));
    return 0;
}

int Checks(HWND dialog) {
    for (int id = FirstEnableBoxId; id < FirstEnableBoxId + 16; ++id) {
        HWND box = GetDlgItem(dialog, id);
        if (box == nullptr) return Fail("no check box " + std::to_string(id));
        std::printf("%d %s %s\n", id,
                    SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED ? "checked" : "unchecked",
                    IsWindowEnabled(box) ? "enabled" : "disabled");
    }
    return 0;
}

// Wine's own notification area on a display without one: a top-level window of the X11
// driver ("__winex11_standalone_tray"; "Shell_TrayWnd" in other setups), shown exactly while it
// holds at least one icon.
int TrayState() {
    bool shown = false;
    for (HWND window : TopLevelWindows()) {
        const std::string name = ClassOf(window);
        if ((name == "__winex11_standalone_tray" || name == "Shell_TrayWnd") &&
            IsWindowVisible(window)) {
            shown = true;
        }
    }
    std::printf("tray %s\n", shown ? "shown" : "hidden");
    return 0;
}

// The entries of a combo box: text and item data.
int Items(HWND combo) {
    if (combo == nullptr) return Fail("no such combo box");
    const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[512] = "";
        if (SendMessageA(combo, CB_GETLBTEXTLEN, i, 0) < static_cast<LRESULT>(sizeof text)) {
            SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        }
        std::printf("%s %lld\n", Quoted(text).c_str(),
                    static_cast<long long>(SendMessageA(combo, CB_GETITEMDATA, i, 0)));
    }
    return 0;
}

// The visible top-level window titled TITLE; "main" stands for the main control window.
HWND FindTitled(const std::string& title) {
    if (title == "main") return FindMain();
    for (HWND window : TopLevelWindows()) {
        if (IsWindowVisible(window) && TextOf(window) == title) return window;
    }
    return nullptr;
}

// The performance counter in milliseconds: the clock of the recorder's "# clock" note.
double CounterMs() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Brings the window titled TITLE to the front from this third process; prints
// "front <counter ms>" of the call once the window is in front.
int Front(const std::string& title) {
    HWND window = FindTitled(title);
    if (window == nullptr) return Fail("no window titled " + title);
    const double at = CounterMs();
    SetForegroundWindow(window);
    if (!WaitFor(2000, [window] { return GetForegroundWindow() == window; })) {
        return Fail(title + " did not come to the front");
    }
    std::printf("front %.3f\n", at);
    return 0;
}

int ListWindows() {
    for (HWND window : TopLevelWindows()) {
        RECT rect;
        GetWindowRect(window, &rect);
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        std::printf("%p pid=%lu class=%s title=%s visible=%d rect=%ld,%ld,%ld,%ld owner=%p\n",
                    static_cast<void*>(window), processId, ClassOf(window).c_str(),
                    Quoted(TextOf(window)).c_str(), IsWindowVisible(window) ? 1 : 0, rect.left,
                    rect.top, rect.right, rect.bottom,
                    static_cast<void*>(GetWindow(window, GW_OWNER)));
    }
    return 0;
}

int SetupPrefix() {
    int mouse[3] = {6, 10, 0};  // thresholds kept, acceleration off
    if (!SystemParametersInfoA(SPI_SETMOUSE, 0, mouse, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE)) {
        return Fail("cannot switch mouse acceleration off");
    }
    int check[3] = {-1, -1, -1};
    SystemParametersInfoA(SPI_GETMOUSE, 0, check, 0);
    std::printf("mouse %d %d %d\n", check[0], check[1], check[2]);
    return check[2] == 0 ? 0 : 1;
}

constexpr int NotMine = -1;  // a command group does not know the command

bool AnyOpenMenu() {
    // A popup menu is a top-level window of class #32768 while it is open.
    for (HWND window : TopLevelWindows()) {
        if (ClassOf(window) == "#32768" && IsWindowVisible(window)) return true;
    }
    return false;
}

int Dismiss() {
    HWND box = FirstMessageBox(OwnMarkers);
    if (box == nullptr) return Fail("no box to dismiss");
    return CloseBox(box, IDOK) ? 0 : Fail("the box stays open");
}

// Message boxes, menus and waits for windows to appear or go.
int RunWaitCommand(const Arguments& args) {
    const std::string command = args.Command();
    const DWORD timeout = args.LastNumber();
    if (command == "wait-ready") return WaitReady(timeout);
    if (command == "wait-box") {
        HWND box = WaitForMessageBox(timeout, OwnMarkers);
        if (box == nullptr) return Fail("no box");
        PrintBox(box);
        return 0;
    }
    if (command == "wait-no-box") {
        return WaitNoMessageBox(timeout, OwnMarkers) ? 0 : Fail("box open");
    }
    if (command == "wait-dialog" || command == "wait-gone") {
        const std::string kind = args[2];
        return WaitShown(timeout, kind, command == "wait-dialog", [&] { return FindDialog(kind); });
    }
    if (command == "wait-menu" || command == "wait-no-menu") {
        const bool wanted = command == "wait-menu";
        const bool met = WaitFor(timeout, [wanted] { return AnyOpenMenu() == wanted; });
        return met ? 0 : Fail(wanted ? "no popup menu" : "a popup menu is open");
    }
    if (command == "wait-visible") {
        const bool wanted = args.Number(2) != 0;
        const bool met = WaitFor(timeout, [&] {
            HWND main = FindMain();
            return main != nullptr && (IsWindowVisible(main) != 0) == wanted;
        });
        return met ? 0 : Fail("main control window visibility is not " + std::string(args[2]));
    }
    return NotMine;
}

// Commands, callbacks and controls of the main control window.
int RunMainCommand(const Arguments& args, HWND main) {
    const std::string command = args.Command();
    const int id = static_cast<int>(args.Number(2));
    if (command == "command") return PostMessageA(main, WM_COMMAND, args.Number(2), 0) ? 0 : 1;
    if (command == "tray") {
        return PostMessageA(main, WM_USER, args.Number(2), args.Number(3)) ? 0 : 1;
    }
    if (command == "escape") {
        // Seen by the menu loop of the main control window's thread, which closes an open menu;
        // scan code 1 is Escape's.
        return PostKey(main, VK_ESCAPE, 1) ? 0 : 1;
    }
    if (command == "visible") return std::printf("%d\n", IsWindowVisible(main) ? 1 : 0) < 0;
    if (command == "text") {
        return std::printf("%s\n", Quoted(TextOf(GetDlgItem(main, id))).c_str()) < 0;
    }
    if (command == "items") return Items(GetDlgItem(main, id));
    if (command == "slider") return Slider(main, id, std::atoi(args[3]));
    return NotMine;
}

// Commands on a dialog of KIND: main, about or enable.
int RunDialogCommand(const Arguments& args, HWND dialog) {
    const std::string command = args.Command();
    if (command == "dump") {
        Dump(dialog, TextOf, false);
        return 0;
    }
    if (command == "checks") return Checks(dialog);
    if (command == "click" || command == "post-click") {
        HWND control = GetDlgItem(dialog, static_cast<int>(args.Number(3)));
        if (control == nullptr) return Fail(std::string("no control ") + args[3]);
        return Click(control, command == "post-click") ? 0 : 1;
    }
    if (command == "rect") {
        PrintGeometry(dialog);
        return 0;
    }
    return NotMine;
}

int Run(const Arguments& args) {
    const std::string command = args.Command();
    if (command == "setup-prefix") return SetupPrefix();
    if (command == "windows") return ListWindows();
    if (command == "tray-state") return TrayState();
    if (command == "boxes") {
        for (HWND box : VisibleMessageBoxes(OwnMarkers)) PrintBox(box);
        return 0;
    }
    if (command == "dismiss") return Dismiss();
    if (command == "front") return Front(args[2]);
    if (command == "foreground") {
        return std::printf("%s\n", Quoted(TextOf(GetForegroundWindow())).c_str()) < 0;
    }
    if (command == "close") {
        HWND window = FindTitled(args[2]);
        return window != nullptr && PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    int result = RunWaitCommand(args);
    if (result != NotMine) return result;
    HWND main = FindMain();
    if (main == nullptr) return Fail("no main control window");
    result = RunMainCommand(args, main);
    if (result != NotMine) return result;
    HWND dialog = FindDialog(args[2]);
    if (dialog == nullptr) return Fail(std::string("no dialog ") + args[2]);
    result = RunDialogCommand(args, dialog);
    return result != NotMine ? result : Fail("unknown command " + command);
}

constexpr char Usage[] =
    "usage: driver setup-prefix | windows | tray-state | wait-ready MS\n"
    "       driver boxes | wait-box MS | wait-no-box MS | dismiss\n"
    "       driver front TITLE | foreground | close TITLE   (TITLE main: the main window)\n"
    "       driver wait-dialog KIND MS | wait-gone KIND MS | wait-visible 0|1 MS\n"
    "       driver wait-menu MS | wait-no-menu MS | escape\n"
    "       driver command ID | tray WPARAM LPARAM | visible | text ID | items ID\n"
    "       driver slider ID POS | dump KIND | checks enable | rect KIND\n"
    "       driver click KIND ID | post-click KIND ID   (KIND: main, about or enable)\n";

}  // namespace
}  // namespace e2e

int main(int argc, char** argv) { return e2e::RunTool("driver", e2e::Usage, argc, argv, e2e::Run); }
