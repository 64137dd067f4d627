// The decisions behind start-up and the main control window's commands, over the program's state:
// which joysticks poll, what is saved and in which order.
#pragma once

#include <cstdint>
#include <string>

#include "profiles/Configuration.h"

// Texts of the notification-area menu item that toggles the main control window.
constexpr const char* HideMenuText = "Hide main window";
constexpr const char* ShowMenuText = "Show main window";

// True for the Windows 95/98/Me and the Windows NT platform families.
bool IsSupportedPlatform(uint32_t platformId);

// Bit i set for every joystick ID from 0 to 15 that answers now and reports its capabilities: one
// whose capabilities cannot be read is taken as absent until they can.
uint16_t DiscoverJoysticks();

// The directory part of the executable's path, ending with its last backslash.
std::string ProgramDirectoryOf(const std::string& executablePath);

// True when the command line holds the letters "HIDE" anywhere, in any letter case.
bool AsksToHide(const std::string& commandLine);

// After the configuration is loaded: the lowest present joystick becomes current and every present
// and enabled joystick starts polling. An enabled joystick that is absent keeps its bit, so that
// it polls when it arrives. Returns false when no joystick is present: none is current then.
bool StartJoysticks(ApplicationState& state);

// Writes the current profile when it is modified; what the save reports goes to the notices.
void SaveCurrentProfile(ApplicationState& state);

// The profile of the current joystick; null while it has none.
JoystickProfile* CurrentProfile(ApplicationState& state);

// Exit: writes the current profile (when modified), then the configuration file, and returns
// true: the caller ends the program. An Exit chosen again inside a message the first one shows
// (the tray menu works in its loop) writes nothing and returns false.
bool SaveOnExit(ApplicationState& state);

// Hide/Show: writes the configuration file, then, when the window is being hidden, the current
// profile. Returns the text the menu item takes: the action the next toggle performs.
std::string ToggleMainWindow(ApplicationState& state, bool visibleNow);

// Writes the current profile (when modified), then makes `id` current. Returns false, changing
// nothing, when `id` is not a present joystick.
bool ChangeJoystick(ApplicationState& state, int id);

// Present and enabled joysticks poll unless paused; present and disabled ones stop, releasing what
// they hold. Absent joysticks are skipped. A joystick already in the wanted state is left alone.
void SyncPollTimers(ApplicationState& state);

// The button configuration dialog opens for joystick `id`, or has closed (-1): its record is
// recorded, then the muting of the joystick it configured and of the one it configures now follows.
void SetButtonDialogJoystick(ApplicationState& state, int id);
// The ID where the pad the open button configuration dialog configures sits now, present or gone
// since; -1 while the dialog is closed.
int ButtonDialogJoystick(const ApplicationState& state);
// Mutes joystick `id` while a reason holds (its button configuration dialog is open, or an
// application rule turns it off) and unmutes it otherwise, so that controls held then fire
// nothing until released. Nothing for an ID without a profile.
void RefreshMuting(ApplicationState& state, int id);

// Deletes every profile; each stops its timer and releases what it holds.
void DeleteProfiles(ApplicationState& state);
