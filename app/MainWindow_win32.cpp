// The main control window's procedure and the commands it hands off to: buttons, the joystick
// selector, the notification-area icon and its popup menu.
#include <string>

#include "app/ApplicationLogic.h"
#include "app/Application_win32.h"
#include "app/Autostart.h"
#include "app/ShellMessages.h"
#include "editor/ButtonConfigDialog_win32.h"
#include "editor/DialogControls_win32.h"
#include "platform/win32/PlatformWin32.h"
#include "resources/resource.h"

namespace {

// A menu command runs as its button's command, posted, so the menu has closed first.
INT_PTR PostCommand(const Application& app, int command) {
    PostMessageA(app.mainWindow, WM_COMMAND, static_cast<WPARAM>(command), 0);
    return TRUE;
}

INT_PTR OnCommand(Application& app, WORD command, WORD notification, HWND control) {
    if (ProfileManager::IsProfileCommand(command)) {
        app.SelectProfile(command);
        return TRUE;
    }
    switch (command) {
        case IDOK:
            app.Exit();
            return TRUE;
        case IDC_HIDE:
            app.ToggleWindow();
            return TRUE;
        case IDC_ENABLE_DISABLE:
            app.EnableDisable();
            return TRUE;
        case IDC_ABOUT:
            app.About();
            return TRUE;
        case IDC_LAUNCH_ON_STARTUP:
            Note(app.state.notices, AutostartMessage(ToggleLaunchOnStartup(app.state), true));
            return TRUE;
        case IDC_JOYSTICK_SELECTOR:
            if (notification == CBN_SELCHANGE) app.OnJoystickSelected(control);
            return FALSE;
        case IDC_BUTTON_CONFIGURATION:
            app.ButtonConfiguration();
            return TRUE;
        case IDC_PROFILE_MANAGER:
            app.ShowProfileMenu();
            return TRUE;
        case IDM_ADD_PROFILE:
            app.AddProfile();
            return TRUE;
        case IDM_DELETE_PROFILE:
            app.DeleteProfile();
            return TRUE;
        case IDM_EXIT:
            return PostCommand(app, IDOK);
        case IDM_HIDE_SHOW:
            return PostCommand(app, IDC_HIDE);
        case IDM_ABOUT:
            return PostCommand(app, IDC_ABOUT);
        case IDM_ENABLE_DISABLE:
            return PostCommand(app, IDC_ENABLE_DISABLE);
        case IDM_PAUSE:
            app.TogglePause();
            return TRUE;
        case IDM_APPLICATION_RULES:
            app.EditRules();
            return TRUE;
        default:
            // Among others the cancel command (2) of Alt+F4: the window closes only by Exit.
            return FALSE;
    }
}

// Opens the file in the program the user has for its type, else in Notepad, which reads any
// text; false when neither started.
bool OpenInEditor(HWND owner, const std::string& path) {
    const HINSTANCE opened =
        ShellExecuteA(owner, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    // Values above 32 mean success.
    if (reinterpret_cast<INT_PTR>(opened) > 32) return true;
    std::string command = "notepad.exe \"" + path + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

void OnDestroy(Application& app) {
    ForegroundWatch::Unhook();
    DeleteProfiles(app.state);
    app.RemoveTrayIcon();
    PostQuitMessage(0);
}

}  // namespace

INT_PTR CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Application* app = ApplicationOf(window);
    if (!app) return FALSE;
    switch (message) {
        case WM_DESTROY:
            OnDestroy(*app);
            return TRUE;
        case WM_COMMAND:
            return app->RunCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        case WM_TIMER:
            if (wParam == RescanTimerId) app->Rescan(false);
            if (wParam == WatchTimerId) app->OnWatchTick();
            return FALSE;
        case FrontChangedMessage:
            app->WatchFront();
            return TRUE;
        case platform::PollTickMessage:
            if (platform::TakePollTick(wParam, lParam)) app->PollJoystick(wParam);
            return TRUE;
        case WM_DEVICECHANGE:
            // Sent to every top-level window when a device node comes or goes; the default
            // answer is kept.
            app->Rescan(true);
            return FALSE;
        case WM_HSCROLL:
            app->OnSliderScroll(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)));
            return TRUE;
        case TrayIconMessage:
            if (wParam == TrayIconId) app->OnTrayIcon(lParam);
            return TRUE;
        default:
            return HandleDragMessage(window, message, app->drag);
    }
}

INT_PTR Application::RunCommand(WORD command, WORD notification, HWND control) {
    if (exited) return FALSE;
    if (command == IDOK && commandDepth > 0) {
        exitRequested = true;
        return TRUE;
    }
    ++commandDepth;
    const INT_PTR handled = OnCommand(*this, command, notification, control);
    if (!exited) ShowNotices();
    --commandDepth;
    if (commandDepth == 0 && exitRequested && !exited) {
        exitRequested = false;
        RunCommand(IDOK, 0, nullptr);
    }
    return handled;
}

void Application::ShowNotices() {
    while (!state.notices.empty()) {
        const MessageText message = state.notices.front();
        state.notices.erase(state.notices.begin());
        ShowDialogMessage(mainWindow, message);
    }
}

void Application::Exit() {
    if (!SaveOnExit(state)) return;
    ShowNotices();
    exited = true;
    DestroyWindow(mainWindow);
}

void Application::ToggleWindow() {
    const bool visible = (GetWindowLongA(mainWindow, GWL_STYLE) & WS_VISIBLE) != 0;
    const std::string text = ToggleMainWindow(state, visible);
    ShowWindow(mainWindow, visible ? SW_HIDE : SW_SHOWNORMAL);
    SetToggleMenuText(text.c_str());
}

void Application::EnableDisable() {
    EnableDialogContext context{{*this, {}}, EnableChoice(state)};
    if (RunDialog("IDD_QVENABLEDLG", EnableDialogProc, &context) == IDOK) SaveConfiguration(state);
}

void Application::About() { RunDialogGreying(IDM_ABOUT, "IDD_ABOUT", AboutDialogProc); }

void Application::ButtonConfiguration() {
    if (!CurrentProfile(state)) return;
    ButtonDialogContext context;
    context.profile = [this] { return ButtonDialogProfile(); };
    // The menu's commands act on the current joystick, which may no longer be the dialog's.
    context.menuApplies = [this] { return ButtonDialogJoystick(state) == state.CurrentJoystick; };
    context.showProfileMenu = [this] { ShowProfileMenu(); };
    context.openDialog = &buttonDialog;
    // Its joystick sends nothing while the dialog is open: mapped keys would press the dialog's
    // own buttons. Recorded here alone; the profile is looked up afresh at every use.
    SetButtonDialogJoystick(state, state.CurrentJoystick);
    const INT_PTR result = RunDialog("IDD_QVBUTTONDLG", ButtonConfigDialogProc, &context);
    // Read before the dialog's record is forgotten: the joystick may have left or moved.
    JoystickProfile* profile = result == IDOK ? ButtonDialogProfile() : nullptr;
    const int configured = ButtonDialogJoystick(state);
    SetButtonDialogJoystick(state, -1);
    // Marked again and saved at once, also when OK changed nothing, and also when the joystick
    // has left: it keeps its profile.
    if (profile) {
        profile->modified = true;
        Note(state.notices, SaveMessage(profile->Save(), profile->FilePath()));
    }
    // A rule that came into force for it while the dialog was open applies now.
    if (configured >= 0) FollowSwitches(rules.ApplyDeferred(state, configured));
}

void Application::EditRules() {
    const std::string path = state.context.programDirectory + RulesFileName;
    if (!PrepareRulesFile(path)) {
        Note(state.notices, CouldntCreateRulesMessage(path));
    } else if (!OpenInEditor(mainWindow, path)) {
        Note(state.notices, CouldntOpenRulesMessage(path));
    }
}

void Application::AddProfile() {
    // Greyed without a joystick; posted anyway, there is no profile to rename.
    if (!profileManager.HasJoystick()) return;
    RunDialogGreying(IDM_ADD_PROFILE, "IDD_ADDPROFILE", AddProfileDialogProc);
}

void Application::DeleteProfile() {
    RunDialogGreying(IDM_DELETE_PROFILE, "IDD_DELPROFILE", DeleteProfileDialogProc);
}

void Application::OnJoystickSelected(HWND selector) {
    const LRESULT entry = SendMessageA(selector, CB_GETCURSEL, 0, 0);
    if (entry == CB_ERR) return;
    const LRESULT id = SendMessageA(selector, CB_GETITEMDATA, static_cast<WPARAM>(entry), 0);
    if (!ChangeJoystick(state, static_cast<int>(id))) return;
    RefreshView();
    // The tip names the rule that decides for the joystick now current.
    UpdateTrayTip();
}

void Application::OnTrayIcon(LPARAM event) {
    // Message boxes shown during start-up run a message loop while no profile is current; one
    // shown by Exit runs it while the program ends.
    if (!initialised || state.exiting) return;
    if (event == WM_LBUTTONDBLCLK) PostCommand(*this, IDC_HIDE);
    if (event == WM_RBUTTONDOWN) ShowTrayMenu();
}

void Application::ShowTrayMenu() {
    RefreshProfileList();
    POINT cursor;
    GetCursorPos(&cursor);
    // Without the window in the foreground the menu would not close on a click elsewhere.
    SetForegroundWindow(mainWindow);
    TrackPopupMenu(GetSubMenu(popupMenu, 0), 0, cursor.x, cursor.y, 0, mainWindow, nullptr);
    PostMessageA(mainWindow, WM_NULL, 0, 0);
}
