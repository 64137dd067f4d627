// Texts of the shell's messages.
#include "app/ShellMessages.h"

MessageText WrongPlatformMessage() {
    return {"Compatible Operating System not found.", "Error", platform::MessageIcon::None, false};
}

MessageText AnotherInstanceMessage() {
    return {"There is another instance of \"Quorvel\".", "Error", platform::MessageIcon::Error,
            false};
}

MessageText CouldntCreateMainWindowMessage() {
    return {"Couldn't create main window", "Error", platform::MessageIcon::Error, false};
}

MessageText NoJoystickMessage() {
    // The spelling "Progrm" is the text users and tests know.
    return {"There is no properly configured joystick.\nThe Progrm cannot run...", "Error",
            platform::MessageIcon::Error, true};
}

MessageText CouldntSetRegistryMessage() {
    return {"Couldn't set registry value", "Error", platform::MessageIcon::Error, true};
}

MessageText CouldntCreateRulesMessage(const std::string& path) {
    return {"Couldn't create " + path, "Error", platform::MessageIcon::Error, true};
}

MessageText CouldntOpenRulesMessage(const std::string& path) {
    return {"Couldn't open " + path + " in an editor", "Error", platform::MessageIcon::Error, true};
}

std::optional<MessageText> AutostartMessage(AutostartResult result, bool clicked) {
    // Only the user's click reports a value left in force; at start the program says nothing
    // about an administrator's entry, which would otherwise greet it at every logon.
    if (result == AutostartResult::NotStored ||
        (result == AutostartResult::LeftInForce && clicked)) {
        return CouldntSetRegistryMessage();
    }
    return std::nullopt;
}
