// Start-up of the main control window, its notification-area icon, joystick selector, sliders
// and the current profile's name.
#include "app/Application_win32.h"

#include <commctrl.h>

#include <cstddef>
#include <cstdio>

#include "app/ApplicationLogic.h"
#include "app/Autostart.h"
#include "app/ProgramGlobals_win32.h"
#include "app/ShellMessages.h"
#include "editor/ButtonConfigDialog_win32.h"
#include "platform/win32/PlatformWin32.h"
#include "resources/resource.h"

namespace {

// Pixels a side: the small icon the notification area shows.
constexpr int TrayIconSize = 16;

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
    if (!Initialise()) return 1;
    initialised = true;
    // Hidden: the menu item keeps its template text "Show Main Window".
    if (AsksToHide(commandLine)) return 0;
    SetToggleMenuText(HideMenuText);
    ShowWindow(mainWindow, SW_SHOWNORMAL);
    return 0;
}

int Application::Initialise() {
    state.PresentMask = DiscoverJoysticks();
    FillJoystickSelector();
    if (!LoadConfiguration(state)) {
        RemoveTrayIcon();
        return 0;
    }
    Note(state.notices, AutostartMessage(ApplyLaunchOnStartup(state.LaunchOnStartup), false));
    ShowNotices();
    if (state.LaunchOnStartup) CheckDlgButton(mainWindow, IDC_LAUNCH_ON_STARTUP, BST_CHECKED);
    if (!StartJoysticks(state)) {
        Show(NoJoystickMessage());
        RemoveTrayIcon();
        return 0;
    }
    RefreshView();
    return 1;
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
    lstrcpynA(trayIcon.szTip, "Quorvel", sizeof trayIcon.szTip);
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
    for (int id = 0; id < MaxJoysticks; ++id) {
        if (!state.IsPresent(id)) continue;
        char text[8];
        std::snprintf(text, sizeof text, "%d", id + 1);
        const LRESULT entry =
            SendMessageA(selector, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        SendMessageA(selector, CB_SETITEMDATA, static_cast<WPARAM>(entry), id);
    }
    SendMessageA(selector, CB_SETCURSEL, 0, 0);
}

void Application::RefreshView() {
    BindSliders();
    RefreshProfileList();
    // The dialog starts over from the profile now current, so its OK never writes one profile's
    // mappings into another.
    if (buttonDialog) SendMessageA(buttonDialog, ProfileChangedMessage, 0, 0);
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
    if (JoystickProfile* profile = state.profiles[joystickId].get()) profile->Poll();
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
