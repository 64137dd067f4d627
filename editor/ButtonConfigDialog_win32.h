// The button configuration dialog: what it is given by the program that runs it.
#pragma once

#include <windows.h>

#include <functional>

#include "editor/ButtonEditorState.h"
#include "editor/WindowDrag_win32.h"
#include "profiles/JoystickProfile.h"

// Sent to the open dialog when the user has given its joystick another profile (a menu choice,
// Add): it starts over from that profile, so its OK never writes one profile's mappings into
// another.
constexpr UINT ProfileChangedMessage = WM_APP + 1;
// Sent to the open dialog when the current joystick may have changed (one came or went): the
// Profile Manager button is usable only while the menu acts on the dialog's joystick.
constexpr UINT CurrentJoystickMessage = WM_APP + 2;
// Sent to the open dialog after each poll of the joystick it configures, with that joystick (a
// const LiveJoystick*) in lParam: a control pressed in that poll picks its event.
constexpr UINT JoystickPolledMessage = WM_APP + 3;

// The dialog's creation parameter, alive while the dialog is open.
struct ButtonDialogContext {
    // The profile of the joystick the dialog edits, which that joystick keeps while it is away;
    // null while it has none. Asked afresh after every call that can run a message loop, as the
    // user may change it meanwhile.
    std::function<JoystickProfile*()> profile;
    // Whether the Profile Manager menu's commands, which act on the current joystick, act on the
    // dialog's joystick.
    std::function<bool()> menuApplies;
    // Button 1025: the Profile Manager submenu; returns once the chosen command has run.
    std::function<void()> showProfileMenu;
    // Set to the dialog while it is open, and back to null when it is destroyed, so that the
    // program can send it ProfileChangedMessage and CurrentJoystickMessage.
    HWND* openDialog = nullptr;
    ButtonEditorState editor;  // the working state
    WindowDrag drag;
};

// The dialog's procedure; `lParam` of WM_INITDIALOG is a ButtonDialogContext*. Ends with IDOK
// after OK (the joystick's profile, present or kept, has taken the edits) and IDCANCEL after
// Cancel. A joystick that leaves meanwhile leaves the dialog open on its profile.
INT_PTR CALLBACK ButtonConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
