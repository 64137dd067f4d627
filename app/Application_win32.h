// The program: its state, the main control window, the notification-area icon and popup menu,
// and the four settings sliders.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <array>
#include <optional>

#include "app/EnableChoice.h"
#include "app/ForegroundWatch_win32.h"
#include "app/RulesInForce.h"
#include "app/SliderControl_win32.h"
#include "app/SliderSettings.h"
#include "editor/WindowDrag_win32.h"
#include "profiles/Configuration.h"
#include "profiles/ProfileManager.h"

// The notification-area icon's identifier, and the message it sends the main control window.
constexpr UINT TrayIconId = 100;
constexpr UINT TrayIconMessage = WM_USER;
// The window timer that looks for joysticks arriving and leaving, and its period: within 2 s of
// a change even where window timers run late.
constexpr UINT_PTR RescanTimerId = 1000;
constexpr UINT RescanPeriodMs = 1500;
// The window timer that looks at the application in front, its period, and every how many of
// its ticks the rules file's size and time are looked at (each second). 200 ms, not 250: a
// switch, loading included, is done within 250 ms of the change in front.
constexpr UINT_PTR WatchTimerId = 1001;
constexpr UINT WatchPeriodMs = 200;
constexpr unsigned RulesFileCheckTicks = 5;
// Posted to the main control window when the system reports another window in front.
constexpr UINT FrontChangedMessage = WM_APP + 2;

class Application {
  public:
    explicit Application(const ProgramContext& context);
    // Destroys the main control window when start-up failed and left it behind.
    virtual ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Builds the main control window, icon and menu, and initialises. 0 on success, 1 on failure.
    int Create(const char* commandLine);
    // Discovery, configuration, autostart, first joystick, poll timers and the rescan timer. 1 on
    // success, 0 when the configuration file is missing or, unless started `hidden`, no joystick
    // is present (the icon is then removed). Hidden, it then waits for a joystick to arrive.
    int Initialise(bool hidden);
    // Looks for joysticks arriving and leaving (after telling winmm of a device change); the
    // selector, the view, the controls and the tip follow.
    void Rescan(bool deviceChanged);
    // Pause menu item: toggles the pause, its check mark and the tip.
    void TogglePause();
    // The icon's tip says whether the program is paused or waits for a joystick, or which rule
    // decides for the current joystick.
    void UpdateTrayTip();
    // A watch timer tick: the rules file when due, then WatchFront.
    void OnWatchTick();
    // The application in front (while a rule is in force): the joysticks follow, and a balloon
    // tells what is new.
    void WatchFront();
    // After rules switched the joysticks of `switched`: the view follows when the current one
    // is among them, an open button configuration dialog when its joystick is, and the tip.
    void FollowSwitches(uint16_t switched);
    // The balloon the rules have due, where the shell has balloons.
    void ShowBalloon();
    // The sliders and the joystick-dependent buttons are enabled while a joystick is current.
    void EnableJoystickControls();

    void AddTrayIcon();
    void RemoveTrayIcon();
    // Control 1038 lists the present joysticks (shown as ID + 1) and selects the current one.
    void FillJoystickSelector();
    // Puts the current profile on the sliders and its name in control 1029; an open button
    // configuration dialog is told that the current joystick may have changed.
    void RefreshView();
    // After the user gave the current joystick another profile (a menu choice, Add): it sends
    // again if a rule had turned it off; the view and the tip follow, and so does an open button
    // configuration dialog on that joystick.
    void OnProfileChosen();
    // The profile of the joystick the open button configuration dialog edits, kept while that
    // joystick is away; null when there is none.
    JoystickProfile* ButtonDialogProfile();
    // Attaches the four sliders and posts the current profile's values to them; the value labels
    // show the values at once.
    void BindSliders();
    // Lists the profile files afresh, rebuilds the profile items of the Profile Manager submenu
    // from them, keeps the hidden list 1026 in step and shows the current profile's name in 1029.
    void RefreshProfileList();
    // Command 1031, and button 1025 of the button configuration dialog: the Profile Manager
    // submenu at the cursor; the chosen command (0 when dismissed) is sent to the main window.
    void ShowProfileMenu();
    // A profile item's command: the current joystick loads that profile and the view follows.
    void SelectProfile(WORD command);
    // A scroll notification of the control `controlId`: when it is a slider's trackbar, the
    // slider's value goes into the current profile and its label.
    void OnSliderScroll(int controlId);
    // A poll timer tick of that joystick.
    void PollJoystick(WPARAM joystickId);
    // Menu item 40005 takes `text`.
    void SetToggleMenuText(const char* text);
    // Runs a modal dialog owned by the main control window, with `context` as its creation
    // parameter; returns what it ended with.
    INT_PTR RunDialog(const char* templateName, DLGPROC procedure, void* context);
    // Runs a modal dialog given a ShellDialogContext, with the popup menu's item `menuItem` greyed
    // until it closes.
    void RunDialogGreying(UINT menuItem, const char* templateName, DLGPROC procedure);

    // Commands of the main control window. Exit saves and destroys the window; ToggleWindow saves,
    // hides or shows it and renames menu item 40005; EnableDisable saves the configuration after
    // OK; About, AddProfile and DeleteProfile grey their menu item while their dialog is open;
    // ButtonConfiguration saves, after OK, the profile of the joystick it was opened for.
    void Exit();
    void ToggleWindow();
    void EnableDisable();
    void About();
    void ButtonConfiguration();
    void AddProfile();
    void DeleteProfile();
    // "Application Rules...": creates the rules file when missing, then opens it in the user's
    // editor, or in Notepad.
    void EditRules();
    // The selector's choice becomes current, after the previous profile is saved.
    void OnJoystickSelected(HWND selector);
    // Every command of the main control window: runs it, then shows the notices it left. Exit
    // chosen inside the message loop of another command (a message box, a modal dialog, a menu)
    // waits until that command has finished, since it may still be using what Exit deletes.
    INT_PTR RunCommand(WORD command, WORD notification, HWND control);
    // Shows, in order, the messages the portable code left, over the main control window.
    void ShowNotices();
    // A double click toggles the window; a right click opens the popup menu at the cursor.
    void OnTrayIcon(LPARAM event);
    void ShowTrayMenu();

    ApplicationState state;
    ProfileManager profileManager{state};
    // Sensitivity, Acceleration, Threshold and Polling Delay: indexed like SliderTable.
    std::array<SliderControl, SliderTable.size()> sliders;
    HWND mainWindow = nullptr;
    HMENU popupMenu = nullptr;
    NOTIFYICONDATAA trayIcon = {};
    WindowDrag drag;
    // Notification-area callbacks are ignored until Initialise has succeeded.
    bool initialised = false;
    // Commands now running, the outer ones waiting in a nested message loop.
    int commandDepth = 0;
    bool exitRequested = false;
    bool exited = false;
    // Set while a rescan runs: a message it shows must not start another.
    bool rescanning = false;
    // The open button configuration dialog, told when the user changes its joystick's profile.
    HWND buttonDialog = nullptr;
    RulesInForce rules;
    ForegroundWatch foreground;
    unsigned watchTicks = 0;
};

// The creation parameter of the About, enabling, Add Profile and Delete Profile dialogs, alive
// while the dialog is open.
struct ShellDialogContext {
    Application& app;
    WindowDrag drag;
};

// The enabling dialog's creation parameter: the boxes' choice, made when the dialog opens.
struct EnableDialogContext : ShellDialogContext {
    EnableChoice choice;
};

// The main control window's dialog procedure.
INT_PTR CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The About dialog's procedure.
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// The enabling dialog's procedure; ends with 1 after OK and 2 after Cancel.
INT_PTR CALLBACK EnableDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// The Add Profile and Delete Profile dialogs' procedures; both end with 1.
INT_PTR CALLBACK AddProfileDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK DeleteProfileDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// The Application of the main control window.
Application* ApplicationOf(HWND window);
