// Every message box text of the program shell, in one table.
#pragma once

#include <optional>
#include <string>

#include "app/Autostart.h"
#include "profiles/Messages.h"

// Start-up refused on a platform that is neither Windows 95/98/Me nor Windows NT.
MessageText WrongPlatformMessage();
// A second start while the program runs.
MessageText AnotherInstanceMessage();
// Start-up failed; shown over the hidden frame window (`owned` is false).
MessageText CouldntCreateMainWindowMessage();
// No joystick answered at start.
MessageText NoJoystickMessage();
// The autostart entry could not be written.
MessageText CouldntSetRegistryMessage();
// "Application Rules...": the rules file at `path` was missing and could not be created, or
// neither the user's editor nor Notepad could open it.
MessageText CouldntCreateRulesMessage(const std::string& path);
MessageText CouldntOpenRulesMessage(const std::string& path);
// What applying the autostart entry tells the user: CouldntSetRegistryMessage() when the value
// could not be stored, or, after a click on the box (`clicked`), when a value stays in force.
std::optional<MessageText> AutostartMessage(AutostartResult result, bool clicked);
