// The button configuration dialog: what it is given by the program that runs it.
#pragma once

#include <windows.h>

#include <functional>

#include "editor/ButtonEditorState.h"
#include "editor/WindowDrag_win32.h"
#include "profiles/JoystickProfile.h"

// Sent to the open dialog when the current profile has changed: it starts over from the profile
// now current, so its OK never writes one profile's mappings into another.
constexpr UINT ProfileChangedMessage = WM_APP + 1;
// Sent to the open dialog after each poll of the joystick it configures, with that joystick (a
// const LiveJoystick*) in lParam: a control pressed in that poll picks its event.
constexpr UINT JoystickPolledMessage = WM_APP + 2;

// The dialog's creation parameter, alive while the dialog is open.
struct ButtonDialogContext {
    // The current joystick's profile, null while it has none; asked afresh after every call that
    // can run a message loop, as the user may change it meanwhile.
    std::function<JoystickProfile*()> currentProfile;
    // Button 1025: the Profile Manager submenu; returns once the chosen command has run.
    std::function<void()> showProfileMenu;
    // Set to the dialog while it is open, and back to null when it is destroyed, so that the
    // program can send it ProfileChangedMessage.
    HWND* openDialog = nullptr;
    ButtonEditorState editor;  // the working state
    WindowDrag drag;
};

// The dialog's procedure; `lParam` of WM_INITDIALOG is a ButtonDialogContext*. Ends with IDOK
// after OK (the current profile has taken the edits) and IDCANCEL after Cancel.
INT_PTR CALLBACK ButtonConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
