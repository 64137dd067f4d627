// Every message box text of the profile code, in one table.
#pragma once

#include <string>

#include "platform/Platform.h"

struct MessageText {
    std::string text;
    std::string title;
    platform::MessageIcon icon;
    bool owned;  // over the main control window, or without owner
};

MessageText NotEnoughMemoryMessage();
MessageText CouldntSaveMessage();
// joystickNumber is the ID + 1; backupName has no directory and no extension.
MessageText ButtonCountChangedMessage(int joystickNumber, const std::string& backupName);
MessageText DamagedProfileMessage(const std::string& path);
MessageText UnreadableProfileMessage(const std::string& path);

// Shows one message through the platform.
void Show(const MessageText& message);
