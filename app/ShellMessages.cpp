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
