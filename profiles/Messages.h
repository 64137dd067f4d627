// Every message box text of the profile code and the button configuration dialog, in one table.
#pragma once

#include <string>

#include "platform/Platform.h"

struct MessageText {
    std::string text;
    std::string title;
    platform::MessageIcon icon;
    bool owned;  // over the window whose command shows it (main window or dialog), or no owner
};

MessageText NotEnoughMemoryMessage();
MessageText CouldntSaveMessage();
// A failed save of the file at `path`: CouldntSaveMessage, with a second line naming the
// temporary file when the new content was kept there.
MessageText SaveFailureMessage(platform::ReplaceResult result, const std::string& path);
// joystickNumber is the ID + 1; backupName has no directory and no extension.
MessageText ButtonCountChangedMessage(int joystickNumber, const std::string& backupName);
MessageText DamagedProfileMessage(const std::string& path);
MessageText UnreadableProfileMessage(const std::string& path);

// Refusals of a new profile's name in the Add Profile dialog, which then stays open.
MessageText EmptyProfileNameMessage();
MessageText ForbiddenCharacterMessage();
MessageText ProfileNameTooLongMessage();
// `name` is the device name the profile name starts with, as typed ("con").
MessageText DeviceNameMessage(const std::string& name);

// The button configuration dialog's combination length, and its working buffers.
MessageText TooFewCharactersMessage();
MessageText LargeLengthQuestion();  // asked with Yes and No
MessageText EditorNoMemoryMessage();

// Shows one message through the platform.
void Show(const MessageText& message);
