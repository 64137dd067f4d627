// Control helpers of the program's dialogs.
#include "editor/DialogControls_win32.h"

#include <cstddef>

#include "platform/win32/PlatformWin32.h"

std::string ControlText(HWND dialog, int id) {
    const HWND control = GetDlgItem(dialog, id);
    std::vector<char> text(static_cast<size_t>(GetWindowTextLengthA(control)) + 1);
    GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
    return text.data();
}

void FillList(HWND dialog, int id, const std::vector<std::string>& entries) {
    SendDlgItemMessageA(dialog, id, CB_RESETCONTENT, 0, 0);
    for (const std::string& entry : entries) {
        SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
}

void SelectEntry(HWND dialog, int id, int index) {
    SendDlgItemMessageA(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int ShowDialogMessage(HWND window, const MessageText& message, UINT buttons) {
    return platform::ShowMessageOver(message.owned ? window : nullptr, message.text, message.title,
                                     message.icon, buttons);
}
