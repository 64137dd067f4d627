// Finds Quorvel's windows from another process and works them the way a user would:
//   driver COMMAND [ARGUMENTS]   (times in milliseconds; exit 0 on success, 1 on failure)
// The main control window is the top-level dialog owned by the hidden frame window ("Quorvel",
// class QVMainFrame) that holds the joystick selector 1038. A dialog is "about" (it holds 1039)
// or "enable" (it holds 1044); a message box is any other top-level dialog with a static -1.
#include <windows.h>

#include <commctrl.h>

#include <fcntl.h>
#include <io.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int SelectorId = 1038;
constexpr int AboutNoticeId = 1039;
constexpr int FirstEnableBoxId = 1044;
constexpr int BoxTextId = 0xFFFF;
constexpr int BoxIconId = 1088;
constexpr DWORD PollMs = 20;

std::string ClassOf(HWND window) {
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string TextOf(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// Text in double quotes, with line breaks, quotes and unprintable bytes escaped.
std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        char escaped[8];
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
            std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(
        [](HWND window, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

bool IsFrame(HWND window) {
    return window != nullptr && lstrcmpiA(ClassOf(window).c_str(), "QVMainFrame") == 0 &&
           TextOf(window) == "Quorvel";
}

bool IsDialog(HWND window) { return ClassOf(window) == "#32770"; }

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

bool IsMessageBox(HWND window) {
    return IsDialog(window) && GetDlgItem(window, BoxTextId) != nullptr &&
           GetDlgItem(window, SelectorId) == nullptr &&
           GetDlgItem(window, AboutNoticeId) == nullptr &&
           GetDlgItem(window, FirstEnableBoxId) == nullptr;
}

std::vector<HWND> MessageBoxes() {
    std::vector<HWND> boxes;
    for (HWND window : TopLevelWindows()) {
        if (IsMessageBox(window) && IsWindowVisible(window)) boxes.push_back(window);
    }
    return boxes;
}

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

int Fail(const std::string& message) {
    std::fprintf(stderr, "driver: %s\n", message.c_str());
    return 1;
}

// Dialog base units of "MS Sans Serif" 8, from a dialog of our own with that font.
POINT BaseUnits() {
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

int ToUnits(int pixels, int units, int base) {
    return static_cast<int>(std::lround(pixels * static_cast<double>(units) / base));
}

void PrintRect(const char* label, const RECT& rect, const POINT& base) {
    std::printf(" %s=%d,%d,%d,%d", label, ToUnits(rect.left, 4, base.x),
                ToUnits(rect.top, 8, base.y), ToUnits(rect.right - rect.left, 4, base.x),
                ToUnits(rect.bottom - rect.top, 8, base.y));
}

// One line for the dialog, then one per control in template order, rectangles in dialog units.
int Dump(HWND dialog) {
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
        const std::string name = ClassOf(control);
        std::printf("id=%d class=%s text=%s style=0x%08lx",
                    static_cast<short>(GetDlgCtrlID(control)), name.c_str(),
                    Quoted(TextOf(control)).c_str(), GetWindowLongA(control, GWL_STYLE));
        PrintRect("rect", rect, base);
        if (lstrcmpiA(name.c_str(), "ComboBox") == 0) {
            RECT dropped;
            SendMessageA(control, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&dropped), 2);
            PrintRect("list", dropped, base);
        }
        std::printf("\n");
    }
    return 0;
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

// The command line: the command and its arguments, "0" for any that is missing.
struct Arguments {
    int count;
    char** values;
    std::string command() const { return values[1]; }
    const char* operator[](int i) const { return i < count ? values[i] : "0"; }
    DWORD Number(int i) const { return static_cast<DWORD>(std::strtoul((*this)[i], nullptr, 0)); }
    DWORD LastNumber() const { return Number(count - 1); }  // the timeout of the wait commands
};

constexpr int NotMine = -1;  // a command group does not know the command

bool AnyOpenMenu() {
    // A popup menu is a top-level window of class #32768 while it is open.
    for (HWND window : TopLevelWindows()) {
        if (ClassOf(window) == "#32768" && IsWindowVisible(window)) return true;
    }
    return false;
}

int Dismiss() {
    const std::vector<HWND> boxes = MessageBoxes();
    if (boxes.empty()) return Fail("no box to dismiss");
    HWND box = boxes.front();
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return WaitFor(10000, [box] { return !IsWindow(box); }) ? 0 : Fail("the box stays open");
}

// Message boxes, menus and waits for windows to appear or go.
int RunWaitCommand(const Arguments& args) {
    const std::string command = args.command();
    const DWORD timeout = args.LastNumber();
    if (command == "wait-ready") return WaitReady(timeout);
    if (command == "wait-box") {
        if (!WaitFor(timeout, [] { return !MessageBoxes().empty(); })) return Fail("no box");
        PrintBox(MessageBoxes().front());
        return 0;
    }
    if (command == "wait-no-box") {
        return WaitFor(timeout, [] { return MessageBoxes().empty(); }) ? 0 : Fail("box open");
    }
    if (command == "wait-dialog" || command == "wait-gone") {
        const bool wanted = command == "wait-dialog";
        const std::string kind = args[2];
        const bool met = WaitFor(timeout, [&] {
            HWND dialog = FindDialog(kind);
            return (dialog != nullptr && IsWindowVisible(dialog)) == wanted;
        });
        return met ? 0 : Fail(kind + (wanted ? " did not appear" : " is still there"));
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
    const std::string command = args.command();
    const int id = static_cast<int>(args.Number(2));
    if (command == "command") return PostMessageA(main, WM_COMMAND, args.Number(2), 0) ? 0 : 1;
    if (command == "tray") {
        return PostMessageA(main, WM_USER, args.Number(2), args.Number(3)) ? 0 : 1;
    }
    if (command == "escape") {
        // Seen by the menu loop of the main control window's thread, which closes an open menu.
        PostMessageA(main, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        return PostMessageA(main, WM_KEYUP, VK_ESCAPE, 0xC0010001) ? 0 : 1;
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
    const std::string command = args.command();
    if (command == "dump") return Dump(dialog);
    if (command == "checks") return Checks(dialog);
    if (command == "click" || command == "post-click") {
        HWND control = GetDlgItem(dialog, static_cast<int>(args.Number(3)));
        if (control == nullptr) return Fail(std::string("no control ") + args[3]);
        // Posted when the click opens a modal window, which would keep a sent one waiting.
        if (command == "post-click") return PostMessageA(control, BM_CLICK, 0, 0) ? 0 : 1;
        // Sent, so that the click and what it triggers are done when we return.
        DWORD_PTR unused = 0;
        return SendMessageTimeoutA(control, BM_CLICK, 0, 0, SMTO_NORMAL, 5000, &unused) ? 0 : 1;
    }
    if (command == "rect") {
        RECT rect;
        GetWindowRect(dialog, &rect);
        std::printf("%ldx%ld+%ld+%ld\n", rect.right - rect.left, rect.bottom - rect.top, rect.left,
                    rect.top);
        return 0;
    }
    return NotMine;
}

int Run(const Arguments& args) {
    const std::string command = args.command();
    if (command == "setup-prefix") return SetupPrefix();
    if (command == "windows") return ListWindows();
    if (command == "tray-state") return TrayState();
    if (command == "boxes") {
        for (HWND box : MessageBoxes()) PrintBox(box);
        return 0;
    }
    if (command == "dismiss") return Dismiss();
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

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs(
            "usage: driver setup-prefix | windows | tray-state | wait-ready MS\n"
            "       driver boxes | wait-box MS | wait-no-box MS | dismiss\n"
            "       driver wait-dialog KIND MS | wait-gone KIND MS | wait-visible 0|1 MS\n"
            "       driver wait-menu MS | wait-no-menu MS | escape\n"
            "       driver command ID | tray WPARAM LPARAM | visible | text ID | items ID\n"
            "       driver slider ID POS | dump KIND | checks enable | rect KIND\n"
            "       driver click KIND ID | post-click KIND ID   (KIND: main, about or enable)\n",
            stderr);
        return 2;
    }
    _setmode(_fileno(stdout), _O_BINARY);  // Unix line ends for the scripts
    const int result = Run(Arguments{argc, argv});
    std::fflush(stdout);
    return result;
}
