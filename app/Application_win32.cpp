// Start-up of the main control window, its notification-area icon, joystick selector, sliders
// and the current profile's name.
#include "app/Application_win32.h"

#include <commctrl.h>

#include <cstddef>
#include <cstdio>

#include "app/ApplicationLogic.h"
#include "app/Autostart.h"
#include "app/Hotplug.h"
#include "app/ProgramGlobals_win32.h"
#include "app/ShellMessages.h"
#include "editor/ButtonConfigDialog_win32.h"
#include "platform/win32/PlatformWin32.h"
#include "resources/resource.h"

namespace {

// Pixels a side: the small icon the notification area shows.
constexpr int TrayIconSize = 16;
// How long a balloon asks to stay (systems keep it between 10 and 30 s).
constexpr UINT BalloonTimeoutMs = 10000;

}  // namespace

Application::Application(const ProgramContext& context) : state(context) {}

Application::~Application() {
    // Left behind by a failed start: it must not reach this object any more.
    if (mainWindow && IsWindow(mainWindow)) {
        SetWindowLongPtrA(mainWindow, GWLP_USERDATA, 0);
        DestroyWindow(mainWindow);
    }
    platform::SetMainWindow(nullptr);
}

int Application::Create(const char* commandLine) {
    // The template holds trackbars, whose class common controls register on request.
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    mainWindow = CreateDialogParamA(programGlobals.instance, "IDD_QVDIALOG",
                                    programGlobals.frameWindow, MainWindowProc, 0);
    if (!mainWindow) return 1;
    platform::SetMainWindow(mainWindow);
    AddTrayIcon();
    SetWindowLongPtrA(mainWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    popupMenu = LoadMenuA(programGlobals.instance, "IDRPOPUP");
    drag = {};
    const bool hidden = AsksToHide(commandLine);
    if (!Initialise(hidden)) return 1;
    initialised = true;
    // Hidden: the menu item keeps its template text "Show Main Window".
    if (hidden) return 0;
    SetToggleMenuText(HideMenuText);
    ShowWindow(mainWindow, SW_SHOWNORMAL);
    return 0;
}

int Application::Initialise(bool hidden) {
    state.PresentMask = DiscoverJoysticks();
    if (!LoadConfiguration(state)) {
        RemoveTrayIcon();
        return 0;
    }
    Note(state.notices, AutostartMessage(ApplyLaunchOnStartup(state.LaunchOnStartup), false));
    ShowNotices();
    if (state.LaunchOnStartup) CheckDlgButton(mainWindow, IDC_LAUNCH_ON_STARTUP, BST_CHECKED);
    // Started hidden, as at logon, the program waits for a joystick instead of refusing to run.
    if (!StartJoysticks(state) && !hidden) {
        Show(NoJoystickMessage());
        RemoveTrayIcon();
        return 0;
    }
    FillJoystickSelector();
    RefreshView();
    EnableJoystickControls();
    UpdateTrayTip();
    SetTimer(mainWindow, RescanTimerId, RescanPeriodMs, nullptr);
    FollowSwitches(rules.CheckFile(state));
    ShowBalloon();
    // Polled: under Wine a foreground event hook never fires; where one does, it is quicker.
    SetTimer(mainWindow, WatchTimerId, WatchPeriodMs, nullptr);
    ForegroundWatch::HookChanges(mainWindow, FrontChangedMessage);
    return 1;
}

void Application::Rescan(bool deviceChanged) {
    if (rescanning || state.exiting || exited) return;
    rescanning = true;
    if (deviceChanged) platform::RefreshJoystickList();
    const PresenceChange change = UpdatePresence(state, DiscoverJoysticks());
    if (change.Any()) {
        FillJoystickSelector();
        if (change.currentChanged) RefreshView();
        EnableJoystickControls();
        UpdateTrayTip();
    }
    // A pad that arrives while a rule is in force follows it.
    if (change.arrived) FollowSwitches(rules.Apply(state, change.arrived));
    // Inside a command, the command shows them once it has finished. While rules are in force
    // and another program is in front, a game perhaps, a balloon tells them: a message box would
    // take its focus. Without rules the program tells them as it always has.
    if (commandDepth == 0) {
        // Where the shell has no balloons they are not shown at all then.
        if (rules.HasRules() && ForegroundWatch::AnotherProgramInFront()) {
            rules.TellInBalloon(state.notices);
        }
        ShowNotices();
    }
    ShowBalloon();
    rescanning = false;
}

void Application::TogglePause() {
    SetPaused(state, !state.paused);
    CheckMenuItem(popupMenu, IDM_PAUSE, state.paused ? MF_CHECKED : MF_UNCHECKED);
    UpdateTrayTip();
}

void Application::UpdateTrayTip() {
    lstrcpynA(trayIcon.szTip, TrayTip(state).c_str(), sizeof trayIcon.szTip);
    Shell_NotifyIconA(NIM_MODIFY, &trayIcon);
}

void Application::OnWatchTick() {
    if (state.exiting || exited) return;
    if (++watchTicks % RulesFileCheckTicks == 0) FollowSwitches(rules.CheckFile(state));
    WatchFront();
}

void Application::WatchFront() {
    if (state.exiting || exited) return;
    Foreground front;
    // Without a rule nothing is looked up: the program behaves as without rules.
    if (rules.HasRules() && foreground.Read(rules.WatchesTitles(), front)) {
        FollowSwitches(rules.SeeFront(state, front));
        if (foreground.ProgramChanged()) {
            rules.SeeElevation(state, front.programPath, foreground.FrontElevation(),
                               ForegroundWatch::SelfElevation());
        }
    }
    ShowBalloon();
}

void Application::FollowSwitches(uint16_t switched) {
    if (switched == 0) return;
    const int current = state.CurrentJoystick;
    if (current >= 0 && current < MaxJoysticks && ((switched >> current) & 1u)) RefreshView();
    // The open button configuration dialog's joystick never switches: rules wait for it to close.
    UpdateTrayTip();
}

void Application::ShowBalloon() {
    const std::string text = rules.TakeBalloon();
    if (text.empty() || !HasBalloons()) return;
    NOTIFYICONDATAA balloon = {};
    // The record size of shell32 5.0, the first with balloons.
    balloon.cbSize = NOTIFYICONDATAA_V2_SIZE;
    balloon.hWnd = mainWindow;
    balloon.uID = TrayIconId;
    balloon.uFlags = NIF_INFO;
    lstrcpynA(balloon.szInfo, text.c_str(), sizeof balloon.szInfo);
    lstrcpynA(balloon.szInfoTitle, PlainTip, sizeof balloon.szInfoTitle);
    balloon.uTimeout = BalloonTimeoutMs;
    balloon.dwInfoFlags = NIIF_WARNING;
    Shell_NotifyIconA(NIM_MODIFY, &balloon);
}

void Application::EnableJoystickControls() {
    const BOOL enable = CurrentProfile(state) != nullptr;
    for (const SliderRow& row : SliderTable)
        EnableWindow(GetDlgItem(mainWindow, row.trackbarId), enable);
    EnableWindow(GetDlgItem(mainWindow, IDC_BUTTON_CONFIGURATION), enable);
    EnableWindow(GetDlgItem(mainWindow, IDC_PROFILE_MANAGER), enable);
}

void Application::AddTrayIcon() {
    trayIcon = {};
    // The original record size, which every Windows version accepts.
    trayIcon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    trayIcon.hWnd = mainWindow;
    trayIcon.uID = TrayIconId;
    trayIcon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    trayIcon.uCallbackMessage = TrayIconMessage;
    trayIcon.hIcon = static_cast<HICON>(LoadImageA(programGlobals.instance, "IDI_JOY", IMAGE_ICON,
                                                   TrayIconSize, TrayIconSize, LR_DEFAULTCOLOR));
    lstrcpynA(trayIcon.szTip, PlainTip, sizeof trayIcon.szTip);
    Shell_NotifyIconA(NIM_ADD, &trayIcon);
}

void Application::RemoveTrayIcon() {
    Shell_NotifyIconA(NIM_DELETE, &trayIcon);
    // Loaded for the tray alone; nulled, as a failed start and the window's end both remove it.
    if (trayIcon.hIcon) DestroyIcon(trayIcon.hIcon);
    trayIcon.hIcon = nullptr;
}

void Application::FillJoystickSelector() {
    const HWND selector = GetDlgItem(mainWindow, IDC_JOYSTICK_SELECTOR);
    SendMessageA(selector, CB_RESETCONTENT, 0, 0);
    for (int id : SelectorJoysticks(state)) {
        char text[8];
        std::snprintf(text, sizeof text, "%d", id + 1);
        const LRESULT entry =
            SendMessageA(selector, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        SendMessageA(selector, CB_SETITEMDATA, static_cast<WPARAM>(entry), id);
        if (id == state.CurrentJoystick) SendMessageA(selector, CB_SETCURSEL, entry, 0);
    }
}

void Application::RefreshView() {
    BindSliders();
    RefreshProfileList();
    if (buttonDialog) SendMessageA(buttonDialog, CurrentJoystickMessage, 0, 0);
}

void Application::OnProfileChosen() {
    // A choice by hand holds until the application in front changes, also when made while the
    // button configuration dialog was open.
    rules.ForgetDeferred(state.CurrentJoystick);
    RefreshMuting(state, state.CurrentJoystick);
    RefreshView();
    UpdateTrayTip();
    // The dialog starts over from the profile its joystick has now, so its OK never writes one
    // profile's mappings into another; a change for another joystick leaves its edits alone.
    if (buttonDialog && ButtonDialogJoystick(state) == state.CurrentJoystick) {
        SendMessageA(buttonDialog, ProfileChangedMessage, 0, 0);
    }
}

JoystickProfile* Application::ButtonDialogProfile() {
    const int id = ButtonDialogJoystick(state);
    return id < 0 ? nullptr : state.profiles[id].get();
}

void Application::BindSliders() {
    const JoystickProfile* profile = CurrentProfile(state);
    if (!profile) return;
    for (const SliderRow& row : SliderTable) {
        SliderControl& slider = sliders[static_cast<size_t>(row.setting)];
        slider.Attach(mainWindow, row.trackbarId);
        slider.SetRange(row.minimum, row.maximum, false);
        slider.SetSteps(row.lineSize, row.pageSize,
                        SliderControl::LineStep | SliderControl::PageStep);
        slider.SetTicFrequency(row.ticFrequency);
        slider.SetPosition(SettingValue(*profile, row.setting), true);
    }
    for (const SliderRow& row : SliderTable) {
        SetDlgItemInt(mainWindow, row.labelId,
                      static_cast<UINT>(SettingValue(*profile, row.setting)), TRUE);
    }
}

void Application::OnSliderScroll(int controlId) {
    const SliderRow* row = SliderWithTrackbar(controlId);
    if (!row) return;
    const int32_t value = sliders[static_cast<size_t>(row->setting)].Position();
    ApplySliderValue(state, row->setting, value);
    SetDlgItemInt(mainWindow, row->labelId, static_cast<UINT>(value), TRUE);
}

void Application::PollJoystick(WPARAM joystickId) {
    if (joystickId >= static_cast<WPARAM>(MaxJoysticks)) return;
    JoystickProfile* profile = state.profiles[joystickId].get();
    // A joystick stopped by a pause, a departure or the enabling dialog sends nothing.
    if (!profile || !profile->IsPolling()) return;
    profile->Poll();
    if (buttonDialog && static_cast<int>(joystickId) == ButtonDialogJoystick(state)) {
        SendMessageA(buttonDialog, JoystickPolledMessage, 0, reinterpret_cast<LPARAM>(profile));
    }
}

void Application::SetToggleMenuText(const char* text) {
    MENUITEMINFOA item = {};
    // The size without the bitmap field, which every Windows version accepts.
    item.cbSize = offsetof(MENUITEMINFOA, hbmpItem);
    item.fMask = MIIM_TYPE;
    item.fType = MFT_STRING;
    item.dwTypeData = const_cast<char*>(text);
    SetMenuItemInfoA(popupMenu, IDM_HIDE_SHOW, FALSE, &item);
}

INT_PTR Application::RunDialog(const char* templateName, DLGPROC procedure, void* context) {
    return DialogBoxParamA(programGlobals.instance, templateName, mainWindow, procedure,
                           reinterpret_cast<LPARAM>(context));
}

void Application::RunDialogGreying(UINT menuItem, const char* templateName, DLGPROC procedure) {
    // Greyed while open, so the notification-area menu cannot open a second one.
    EnableMenuItem(popupMenu, menuItem, MF_GRAYED);
    ShellDialogContext context{*this, {}};
    RunDialog(templateName, procedure, &context);
    EnableMenuItem(popupMenu, menuItem, MF_ENABLED);
}

Application* ApplicationOf(HWND window) {
    return window ? reinterpret_cast<Application*>(GetWindowLongPtrA(window, GWLP_USERDATA))
                  : nullptr;
}
