// Works the profile dialogs and the button configuration dialog of a running Quorvel from
// another process, the way a user would:
//   dialogs COMMAND [ARGUMENTS]   (times in milliseconds; exit 0 on success, 1 on failure)
// KIND is "add" (the dialog holding edit 1030), "delete" (combo 1063) or "button" (edit 1060 and
// button 1025). A message box is any other top-level dialog holding a static -1 and none of the
// program's own marker controls.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int BoxTextId = 0xFFFF;
constexpr int BoxIconId = 1088;
constexpr DWORD PollMs = 20;
constexpr UINT SendTimeoutMs = 5000;
// Controls that mark the program's own windows: the main control window's selector, the About
// notice, the first enabling box, and the dialogs below.
constexpr int OwnMarkers[] = {1038, 1039, 1044, 1030, 1063, 1060};

std::string ClassOf(HWND window) {
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

// Wide text in the system code page, as the program sees it.
std::string Narrow(const WCHAR* text) {
    char narrow[2048] = "";
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}

// Asked of the control itself: GetWindowText of another process's window gives only its
// caption, which edits and lists do not keep. The wide messages cross processes intact, where
// Wine hands back the list's text of CB_GETLBTEXT unconverted.
std::string TextOf(HWND window) {
    WCHAR text[1024] = L"";
    DWORD_PTR unused = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000,
                        &unused);
    return Narrow(text);
}

// Text in double quotes, with line breaks, quotes and unprintable bytes escaped.
std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
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

bool IsDialog(HWND window) { return ClassOf(window) == "#32770"; }

bool Holds(HWND window, int id) { return GetDlgItem(window, id) != nullptr; }

bool IsKind(HWND window, const std::string& kind) {
    if (!IsDialog(window)) return false;
    if (kind == "add") return Holds(window, 1030);
    if (kind == "delete") return Holds(window, 1063);
    if (kind == "button") return Holds(window, 1060) && Holds(window, 1025);
    if (kind == "main") return Holds(window, 1038) && Holds(window, 1031);
    return false;
}

HWND FindKind(const std::string& kind) {
    for (HWND window : TopLevelWindows()) {
        if (IsKind(window, kind)) return window;
    }
    return nullptr;
}

bool IsMessageBox(HWND window) {
    if (!IsDialog(window) || !Holds(window, BoxTextId) || !IsWindowVisible(window)) return false;
    for (int marker : OwnMarkers) {
        if (Holds(window, marker)) return false;
    }
    return true;
}

HWND FirstMessageBox() {
    for (HWND window : TopLevelWindows()) {
        if (IsMessageBox(window)) return window;
    }
    return nullptr;
}

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
    std::fprintf(stderr, "dialogs: %s\n", message.c_str());
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

bool IsCombo(HWND control) { return lstrcmpiA(ClassOf(control).c_str(), "ComboBox") == 0; }

// One line for the dialog, then one per control in template order, rectangles in dialog units;
// the same format as the driver's dump.
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
        std::printf("id=%d class=%s text=%s style=0x%08lx exstyle=0x%08lx",
                    static_cast<short>(GetDlgCtrlID(control)), ClassOf(control).c_str(),
                    Quoted(TextOf(control)).c_str(), GetWindowLongA(control, GWL_STYLE),
                    GetWindowLongA(control, GWL_EXSTYLE));
        PrintRect("rect", rect, base);
        if (IsCombo(control)) {
            RECT dropped;
            SendMessageA(control, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&dropped), 2);
            PrintRect("list", dropped, base);
        }
        std::printf("\n");
    }
    return 0;
}

std::string ItemText(HWND combo, LRESULT index) {
    WCHAR text[1024] = L"";
    if (SendMessageW(combo, CB_GETLBTEXTLEN, index, 0) < 1024) {
        SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    }
    return Narrow(text);
}

// What each control shows: one line per control with an identifier, in template order.
//   ID visible=0|1 text="..."  [sel=N count=N] [checked=0|1] [limit=N]
int State(HWND dialog) {
    for (HWND control = GetWindow(dialog, GW_CHILD); control != nullptr;
         control = GetWindow(control, GW_HWNDNEXT)) {
        const int id = static_cast<short>(GetDlgCtrlID(control));
        if (id == -1) continue;
        const std::string name = ClassOf(control);
        std::printf("%d visible=%d text=%s", id, IsWindowVisible(control) ? 1 : 0,
                    Quoted(TextOf(control)).c_str());
        if (IsCombo(control)) {
            std::printf(" sel=%d count=%d",
                        static_cast<int>(SendMessageA(control, CB_GETCURSEL, 0, 0)),
                        static_cast<int>(SendMessageA(control, CB_GETCOUNT, 0, 0)));
        } else if (lstrcmpiA(name.c_str(), "Button") == 0) {
            std::printf(" checked=%d", SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED);
        } else if (lstrcmpiA(name.c_str(), "Edit") == 0) {
            std::printf(" limit=%d",
                        static_cast<int>(SendMessageA(control, EM_GETLIMITTEXT, 0, 0)));
        }
        std::printf("\n");
    }
    return 0;
}

int Items(HWND combo) {
    const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) std::printf("%s\n", Quoted(ItemText(combo, i)).c_str());
    return 0;
}

std::string OwnerName(HWND window) {
    HWND owner = GetWindow(window, GW_OWNER);
    if (owner == nullptr) return "none";
    for (const char* kind : {"main", "button", "add", "delete"}) {
        if (IsKind(owner, kind)) return kind;
    }
    return "other";
}

// owner=KIND title="..." text="..." icon=0|1 buttons=IDs
void PrintBox(HWND box) {
    HWND icon = GetDlgItem(box, BoxIconId);
    std::string buttons;
    for (int id : {IDOK, IDCANCEL, IDYES, IDNO}) {
        HWND button = GetDlgItem(box, id);
        if (button != nullptr && IsWindowVisible(button)) {
            buttons += (buttons.empty() ? "" : ",") + std::to_string(id);
        }
    }
    std::printf("owner=%s title=%s text=%s icon=%d buttons=%s\n", OwnerName(box).c_str(),
                Quoted(TextOf(box)).c_str(), Quoted(TextOf(GetDlgItem(box, BoxTextId))).c_str(),
                icon != nullptr && IsWindowVisible(icon) ? 1 : 0, buttons.c_str());
}

bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR unused = 0;
    return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, SendTimeoutMs,
                               &unused) != 0;
}

// Types TEXT into an edit as keystrokes would, replacing what it held: the edit's limit holds.
bool Type(HWND edit, const std::string& text) {
    if (!Send(edit, EM_SETSEL, 0, -1)) return false;
    if (!Send(edit, WM_CHAR, VK_BACK, 1)) return false;
    for (unsigned char c : text) {
        if (!Send(edit, WM_CHAR, c, 1)) return false;
    }
    return true;
}

// A user's choice in a drop-down list: the selection changes, then the dialog hears of it.
bool Choose(HWND dialog, HWND combo, int index, bool post) {
    if (!Send(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0)) return false;
    const WPARAM command = MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE);
    if (post) return PostMessageA(dialog, WM_COMMAND, command, reinterpret_cast<LPARAM>(combo));
    return Send(dialog, WM_COMMAND, command, reinterpret_cast<LPARAM>(combo));
}

// Key presses for an open popup menu, whose loop reads every keyboard message of the thread.
bool PostKeys(HWND main, int argc, char** argv, int first) {
    for (int i = first; i < argc; ++i) {
        const WPARAM key = std::strtoul(argv[i], nullptr, 0);
        if (!PostMessageA(main, WM_KEYDOWN, key, 1) ||
            !PostMessageA(main, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001))) {
            return false;
        }
    }
    return true;
}

int Number(const char* text) { return static_cast<int>(std::strtol(text, nullptr, 0)); }

int RunBoxCommand(const std::string& command, int argc, char** argv) {
    const DWORD timeout = static_cast<DWORD>(Number(argc > 2 ? argv[2] : "10000"));
    if (command == "box") {
        HWND box = nullptr;
        if (!WaitFor(timeout, [&] { return (box = FirstMessageBox()) != nullptr; })) {
            return Fail("no message box");
        }
        PrintBox(box);
        return 0;
    }
    if (command == "no-box") {
        return WaitFor(timeout, [] { return FirstMessageBox() == nullptr; }) ? 0 : Fail("box open");
    }
    // answer ID: presses that button of the message box and waits until it has closed.
    HWND box = FirstMessageBox();
    if (box == nullptr) return Fail("no message box to answer");
    PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(Number(argc > 2 ? argv[2] : "1")), 0);
    return WaitFor(10000, [box] { return !IsWindow(box); }) ? 0 : Fail("the box stays open");
}

int Run(int argc, char** argv) {
    const std::string command = argv[1];
    const auto arg = [&](int i) -> const char* { return i < argc ? argv[i] : "0"; };
    if (command == "box" || command == "no-box" || command == "answer") {
        return RunBoxCommand(command, argc, argv);
    }
    if (command == "keys") {
        HWND main = FindKind("main");
        if (main == nullptr) return Fail("no main control window");
        return PostKeys(main, argc, argv, 2) ? 0 : Fail("cannot post the keys");
    }
    const std::string kind = arg(2);
    if (command == "wait" || command == "gone") {
        const bool wanted = command == "wait";
        const bool met = WaitFor(static_cast<DWORD>(Number(arg(3))), [&] {
            HWND dialog = FindKind(kind);
            return (dialog != nullptr && IsWindowVisible(dialog)) == wanted;
        });
        return met ? 0 : Fail(kind + (wanted ? " did not appear" : " is still there"));
    }
    HWND dialog = FindKind(kind);
    if (dialog == nullptr) return Fail("no dialog " + kind);
    if (command == "dump") return Dump(dialog);
    if (command == "state") return State(dialog);
    if (command == "rect") {
        RECT rect;
        GetWindowRect(dialog, &rect);
        std::printf("%ldx%ld+%ld+%ld\n", rect.right - rect.left, rect.bottom - rect.top, rect.left,
                    rect.top);
        return 0;
    }
    HWND control = GetDlgItem(dialog, Number(arg(3)));
    if (control == nullptr) return Fail(std::string("no control ") + arg(3));
    if (command == "items") return Items(control);
    if (command == "type") return Type(control, arg(4)) ? 0 : Fail("cannot type");
    // As a paste would: any characters, the limit not applied.
    if (command == "settext") {
        return Send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(arg(4)))
                   ? 0
                   : Fail("cannot set the text");
    }
    if (command == "choose" || command == "post-choose") {
        return Choose(dialog, control, Number(arg(4)), command == "post-choose")
                   ? 0
                   : Fail("cannot choose");
    }
    // A key pressed in the control: the dialog's loop reads it (Enter gives the default button's
    // command, Escape Cancel's).
    if (command == "key") {
        const WPARAM key = static_cast<WPARAM>(Number(arg(4)));
        return PostMessageA(control, WM_KEYDOWN, key, 1) &&
                       PostMessageA(control, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001))
                   ? 0
                   : Fail("cannot post the key");
    }
    // Posted when the click opens a modal window, which would keep a sent one waiting.
    if (command == "post-click") return PostMessageA(control, BM_CLICK, 0, 0) ? 0 : 1;
    if (command == "click") return Send(control, BM_CLICK, 0, 0) ? 0 : Fail("cannot click");
    return Fail("unknown command " + command);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs(
            "usage: dialogs wait KIND MS | gone KIND MS | dump KIND | state KIND | rect KIND\n"
            "       dialogs items KIND ID | type KIND ID TEXT | choose KIND ID INDEX\n"
            "       dialogs post-choose KIND ID INDEX | click KIND ID | post-click KIND ID\n"
            "       dialogs settext KIND ID TEXT | key KIND ID VK\n"
            "       dialogs box MS | no-box MS | answer ID | keys VK...\n"
            "       (KIND: add, delete or button)\n",
            stderr);
        return 2;
    }
    _setmode(_fileno(stdout), _O_BINARY);  // Unix line ends for the scripts
    const int result = Run(argc, argv);
    std::fflush(stdout);
    return result;
}
