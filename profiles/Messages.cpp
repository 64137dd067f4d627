// Texts of the profile messages.
#include "profiles/Messages.h"

namespace {

constexpr const char* ErrorTitle = "Error";
constexpr const char* AttentionTitle = "Attention!";

}  // namespace

MessageText NotEnoughMemoryMessage() {
    return {"Not enough memory", ErrorTitle, platform::MessageIcon::Error, false};
}

MessageText CouldntSaveMessage() {
    return {"Couldn't save settings", ErrorTitle, platform::MessageIcon::Error, true};
}

MessageText ButtonCountChangedMessage(int joystickNumber, const std::string& backupName) {
    return {"The joystick whose ID is " + std::to_string(joystickNumber) +
                " has a different number of buttons.\n\rThe file " + backupName +
                " has been created to backup the old profile.",
            AttentionTitle, platform::MessageIcon::Information, true};
}

MessageText DamagedProfileMessage(const std::string& path) {
    return {"The profile file " + path +
                " is damaged and was not loaded.\nThe joystick uses the default settings; "
                "the file has not been changed.",
            ErrorTitle, platform::MessageIcon::Error, true};
}

MessageText UnreadableProfileMessage(const std::string& path) {
    return {"The profile file " + path +
                " could not be read.\nThe joystick uses the default settings; "
                "the file has not been changed.",
            ErrorTitle, platform::MessageIcon::Error, true};
}

void Show(const MessageText& message) {
    platform::ShowMessage(message.text, message.title, message.icon, message.owned);
}
