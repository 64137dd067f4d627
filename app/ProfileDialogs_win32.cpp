// The profile manager in the window: the Profile Manager submenu and control 1029, the profile
// commands of the main control window and the Add Profile and Delete Profile dialogs.
#include <cstddef>
#include <string>
#include <vector>

#include "app/Application_win32.h"
#include "editor/DialogControls_win32.h"
#include "resources/resource.h"

namespace {

// Position of "Profile Manager" in the notification-area menu, and the items of its resource:
// a separator, "Add Profile..." and "Delete Profile...".
constexpr int ProfileSubmenuPosition = 3;
constexpr int FixedItemCount = 3;
// What both dialogs end with, after Cancel too: the caller does not look.
constexpr INT_PTR DialogEnded = 1;

HMENU ProfileSubmenu(const Application& app) {
    return GetSubMenu(GetSubMenu(app.popupMenu, 0), ProfileSubmenuPosition);
}

// A menu shows "&" as the underline of the next letter; "&&" shows the "&" itself.
std::string MenuText(const std::string& name) {
    std::string text;
    for (char c : name) {
        if (c == '&') text += '&';
        text += c;
    }
    return text;
}

void InsertProfileItem(HMENU submenu, UINT position, UINT command, const std::string& name) {
    std::string text = MenuText(name);
    MENUITEMINFOA item = {};
    // The size without the bitmap field, which every Windows version accepts.
    item.cbSize = offsetof(MENUITEMINFOA, hbmpItem);
    item.fMask = MIIM_ID | MIIM_TYPE;
    item.fType = MFT_STRING;
    item.wID = command;
    item.dwTypeData = &text[0];
    InsertMenuItemA(submenu, position, TRUE, &item);
}

void FillDeleteChoices(HWND dialog, const ProfileManager& manager) {
    FillList(dialog, IDC_DELETE_PROFILE_LIST, manager.DeleteChoices());
    SelectEntry(dialog, IDC_DELETE_PROFILE_LIST, 0);
    UpdateWindow(GetDlgItem(dialog, IDC_DELETE_PROFILE_LIST));
}

// "Add": an empty name does nothing and a refused one is explained over the dialog, which stays
// open in both cases.
void OnAdd(HWND dialog, Application& app) {
    const AddOutcome outcome = app.profileManager.Add(ControlText(dialog, IDC_NEW_PROFILE_NAME));
    if (outcome.result == AddResult::Refused) ShowDialogMessage(dialog, outcome.refusal);
    if (outcome.result != AddResult::Added) return;
    // The sliders show the settings the profile has now, not the previous profile's.
    app.OnProfileChosen();
    EndDialog(dialog, DialogEnded);
}

}  // namespace

void Application::RefreshProfileList() {
    profileManager.Refresh();
    const std::vector<ProfileEntry>& entries = profileManager.Entries();
    // Only the profile items go: the separator and the two commands stay at the bottom.
    const HMENU submenu = ProfileSubmenu(*this);
    while (GetMenuItemCount(submenu) > FixedItemCount) DeleteMenu(submenu, 0, MF_BYPOSITION);
    std::vector<std::string> fileNames;
    for (size_t i = 0; i < entries.size(); ++i) {
        fileNames.push_back(entries[i].fileName);
        InsertProfileItem(submenu, static_cast<UINT>(i), static_cast<UINT>(FirstProfileCommand + i),
                          entries[i].profileName);
    }
    // Kept filled for whoever reads the window, but the entries alone say which item is which
    // file: this list sorts by its own rules.
    FillList(mainWindow, IDC_PROFILE_LIST, fileNames);
    // The check mark: the profile in force for the current joystick, whoever chose it.
    const int inForce = profileManager.CurrentEntry();
    if (inForce >= 0) {
        CheckMenuItem(submenu, static_cast<UINT>(inForce), MF_BYPOSITION | MF_CHECKED);
    }
    SetDlgItemTextA(mainWindow, IDC_CURRENT_PROFILE, profileManager.CurrentName().c_str());
    // In the notification-area menu: greyed with no joystick to act on, as button 1031 is.
    EnableMenuItem(GetSubMenu(popupMenu, 0), ProfileSubmenuPosition,
                   MF_BYPOSITION | (profileManager.HasJoystick() ? MF_ENABLED : MF_GRAYED));
}

void Application::ShowProfileMenu() {
    RefreshProfileList();
    POINT cursor;
    GetCursorPos(&cursor);
    const UINT command =
        static_cast<UINT>(TrackPopupMenu(ProfileSubmenu(*this), TPM_RETURNCMD | TPM_NONOTIFY,
                                         cursor.x, cursor.y, 0, mainWindow, nullptr));
    // Sent, not posted: the command is handled (a profile loaded, a dialog run and closed) before
    // the caller goes on, which the button configuration dialog relies on.
    SendMessageA(mainWindow, WM_COMMAND, command, 0);
}

void Application::SelectProfile(WORD command) {
    if (profileManager.Select(command)) OnProfileChosen();
}

INT_PTR CALLBACK AddProfileDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    ShellDialogContext* context = DialogContextOf<ShellDialogContext>(dialog, message, lParam);
    if (!context) return FALSE;
    // TRUE: the name edit, the first control, takes the keyboard focus.
    if (message == WM_INITDIALOG) return TRUE;
    if (message != WM_COMMAND) return HandleDragMessage(dialog, message, context->drag);
    switch (LOWORD(wParam)) {
        case IDOK:
            OnAdd(dialog, context->app);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, DialogEnded);
            return TRUE;
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK DeleteProfileDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    ShellDialogContext* context = DialogContextOf<ShellDialogContext>(dialog, message, lParam);
    if (!context) return FALSE;
    Application& app = context->app;
    switch (message) {
        case WM_INITDIALOG:
            // Listed afresh: the command may come without the menu having been shown.
            app.RefreshProfileList();
            FillDeleteChoices(dialog, app.profileManager);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                // A failed deletion is not reported: the file stays in the list.
                app.profileManager.Delete(ControlText(dialog, IDC_DELETE_PROFILE_LIST));
                app.RefreshProfileList();
            }
            if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL) return FALSE;
            EndDialog(dialog, DialogEnded);
            return TRUE;
        default:
            return HandleDragMessage(dialog, message, context->drag);
    }
}
