// Works the profile dialogs and the button configuration dialog of a running Quorvel from
// another process, the way a user would:
//   dialogs COMMAND [ARGUMENTS]   (times in milliseconds; exit 0 on success, 1 on failure)
// KIND is "add" (the dialog holding edit 1030), "delete" (combo 1063) or "button" (edit 1060 and
// button 1025). A message box is any other top-level dialog holding a static -1 and none of the
// program's own marker controls.
#include <windows.h>

#include <cstdio>
#include <string>

#include "WindowTools.h"

namespace e2e {
namespace {

constexpr int BoxIconId = 1088;
// Controls that mark the program's own windows: the main control window's selector, the About
// notice, the first enabling box, and the dialogs below.
constexpr int OwnMarkers[] = {1038, 1039, 1044, 1030, 1063, 1060};

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
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                        SendTimeoutMs, &unused);
    return Narrow(text);
}

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

// The keyboard focus moves to CONTROL as the Tab key would take it there; true once it has.
bool Focus(HWND dialog, HWND control) {
    if (!PostMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE)) return false;
    const DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
    return WaitFor(SendTimeoutMs, [&] {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(thread, &info) && info.hwndFocus == control;
    });
}

// Drops a combo box's list down (`open`) or closes it; true once it is so.
bool DropDown(HWND combo, bool open) {
    Send(combo, CB_SHOWDROPDOWN, open ? TRUE : FALSE, 0);
    return WaitFor(SendTimeoutMs, [&] {
        DWORD_PTR dropped = 0;
        return SendMessageTimeoutA(combo, CB_GETDROPPEDSTATE, 0, 0, SMTO_NORMAL, SendTimeoutMs,
                                   &dropped) != 0 &&
               (dropped != 0) == open;
    });
}

// Key presses for an open popup menu, whose loop reads every keyboard message of the thread.
bool PostKeys(HWND main, const Arguments& args, int first) {
    for (int i = first; i < args.count; ++i) {
        if (!PostKey(main, args.Number(i))) return false;
    }
    return true;
}

int RunBoxCommand(const Arguments& args) {
    const std::string command = args.Command();
    const DWORD timeout = static_cast<DWORD>(args.Integer(2, "10000"));
    if (command == "box") {
        HWND box = WaitForMessageBox(timeout, OwnMarkers);
        if (box == nullptr) return Fail("no message box");
        PrintBox(box);
        return 0;
    }
    if (command == "no-box") return WaitNoMessageBox(timeout, OwnMarkers) ? 0 : Fail("box open");
    // answer ID: presses that button of the message box and waits until it has closed.
    HWND box = FirstMessageBox(OwnMarkers);
    if (box == nullptr) return Fail("no message box to answer");
    return CloseBox(box, static_cast<WPARAM>(args.Integer(2, "1"))) ? 0
                                                                    : Fail("the box stays open");
}

// Commands on a control of a dialog of KIND.
int RunControlCommand(const Arguments& args, HWND dialog) {
    const std::string command = args.Command();
    HWND control = GetDlgItem(dialog, args.Integer(3));
    if (control == nullptr) return Fail(std::string("no control ") + args[3]);
    if (command == "items") return Items(control);
    if (command == "type") return Type(control, args[4]) ? 0 : Fail("cannot type");
    // As a paste would: any characters, the limit not applied.
    if (command == "settext") {
        return Send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args[4]))
                   ? 0
                   : Fail("cannot set the text");
    }
    if (command == "choose" || command == "post-choose") {
        return Choose(dialog, control, args.Integer(4), command == "post-choose")
                   ? 0
                   : Fail("cannot choose");
    }
    // A key pressed in the control: the dialog's loop reads it (Enter gives the default button's
    // command, Escape Cancel's).
    if (command == "key") {
        return PostKey(control, static_cast<WPARAM>(args.Integer(4))) ? 0
                                                                      : Fail("cannot post the key");
    }
    if (command == "focus") return Focus(dialog, control) ? 0 : Fail("the focus did not move");
    if (command == "drop") {
        return DropDown(control, args.Integer(4) != 0) ? 0 : Fail("the list did not follow");
    }
    if (command == "post-click") return Click(control, true) ? 0 : 1;
    if (command == "click") return Click(control, false) ? 0 : Fail("cannot click");
    return Fail("unknown command " + command);
}

int Run(const Arguments& args) {
    const std::string command = args.Command();
    if (command == "box" || command == "no-box" || command == "answer") {
        return RunBoxCommand(args);
    }
    if (command == "keys") {
        HWND main = FindKind("main");
        if (main == nullptr) return Fail("no main control window");
        return PostKeys(main, args, 2) ? 0 : Fail("cannot post the keys");
    }
    const std::string kind = args[2];
    if (command == "wait" || command == "gone") {
        return WaitShown(static_cast<DWORD>(args.Integer(3)), kind, command == "wait",
                         [&] { return FindKind(kind); });
    }
    HWND dialog = FindKind(kind);
    if (dialog == nullptr) return Fail("no dialog " + kind);
    if (command == "dump") {
        Dump(dialog, TextOf, true);
        return 0;
    }
    if (command == "state") return State(dialog);
    if (command == "rect") {
        PrintGeometry(dialog);
        return 0;
    }
    return RunControlCommand(args, dialog);
}

constexpr char Usage[] =
    "usage: dialogs wait KIND MS | gone KIND MS | dump KIND | state KIND | rect KIND\n"
    "       dialogs items KIND ID | type KIND ID TEXT | choose KIND ID INDEX\n"
    "       dialogs post-choose KIND ID INDEX | click KIND ID | post-click KIND ID\n"
    "       dialogs settext KIND ID TEXT | key KIND ID VK\n"
    "       dialogs focus KIND ID | drop KIND ID 0|1\n"
    "       dialogs box MS | no-box MS | answer ID | keys VK...\n"
    "       (KIND: add, delete or button)\n";

}  // namespace
}  // namespace e2e

int main(int argc, char** argv) {
    return e2e::RunTool("dialogs", e2e::Usage, argc, argv, e2e::Run);
}
