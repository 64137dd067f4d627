// What the program's dialogs share: reading and filling their controls, and messages over them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "profiles/Messages.h"

// The whole text of the dialog's control `id`, however long.
std::string ControlText(HWND dialog, int id);

// The list `id` holds `entries`, in order, and nothing else.
void FillList(HWND dialog, int id, const std::vector<std::string>& entries);

// Selects entry `index` of the list `id`; -1 leaves it without a selection.
void SelectEntry(HWND dialog, int id, int index);

// Shows a message over `window` when it is owned, else without owner; returns the button chosen.
// `buttons`: MB_OK, or MB_YESNO for a question.
int ShowDialogMessage(HWND window, const MessageText& message, UINT buttons = MB_OK);

// The context a modal dialog was given as its creation parameter (DialogBoxParamA's last
// argument): stored at WM_INITDIALOG, read back for every later message; null before it.
template <typename Context>
Context* DialogContextOf(HWND dialog, UINT message, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    return reinterpret_cast<Context*>(GetWindowLongPtrA(dialog, DWLP_USER));
}
