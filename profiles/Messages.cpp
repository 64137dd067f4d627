// Texts of the profile messages.
#include "profiles/Messages.h"

#include "profiles/ProfileName.h"

#include "platform/AtomicReplace.h"

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

MessageText SaveFailureMessage(platform::ReplaceResult result, const std::string& path) {
    MessageText message = CouldntSaveMessage();
    if (result == platform::ReplaceResult::KeptInTemporary) {
        message.text +=
            "\nThe old file is gone; the new settings are kept in " + TemporaryPathFor(path) + ".";
    }
    return message;
}

MessageText ButtonCountChangedMessage(int joystickNumber, const std::string& backupName) {
    return {"The joystick whose ID is " + std::to_string(joystickNumber) +
                " has a different number of buttons.\n\rThe file " + backupName +
                " has been created to backup the old profile.",
            AttentionTitle, platform::MessageIcon::Information, true};
}

namespace {

std::string InUse(const std::string& nameNow) {
    return nameNow.empty() ? "The joystick uses the default settings"
                           : "The joystick uses the profile " + nameNow;
}

}  // namespace

MessageText DamagedProfileMessage(const std::string& path, const std::string& nameNow) {
    return {"The profile file " + path + " is damaged and was not loaded.\n" + InUse(nameNow) +
                "; the file has not been changed.",
            ErrorTitle, platform::MessageIcon::Error, true};
}

MessageText UnreadableProfileMessage(const std::string& path, const std::string& nameNow) {
    return {"The profile file " + path + " could not be read.\n" + InUse(nameNow) +
                "; the file has not been changed.",
            ErrorTitle, platform::MessageIcon::Error, true};
}

MessageText NewerVersionProfileMessage(const std::string& path, const std::string& nameNow) {
    return {"The profile file " + path +
                " was made by a newer version of Quorvel and was not loaded.\n" + InUse(nameNow) +
                "; the file has not been changed.",
            ErrorTitle, platform::MessageIcon::Error, true};
}

MessageText BackupLoadedMessage(int joystickNumber, const std::string& backupName,
                                const std::string& askedName) {
    return {"The joystick whose ID is " + std::to_string(joystickNumber) +
                " has a different number of buttons.\n\rThe file " + backupName +
                ".qvp, made for it earlier, was loaded instead; the file " + askedName +
                ".qvp has not been changed.",
            AttentionTitle, platform::MessageIcon::Information, true};
}

std::optional<MessageText> LoadMessage(LoadResult result, const std::string& askedName,
                                       const JoystickProfile& profile) {
    switch (result) {
        case LoadResult::BackedUp:
            return ButtonCountChangedMessage(profile.joystickId + 1, profile.profileName);
        case LoadResult::BackupLoaded:
            return BackupLoadedMessage(profile.joystickId + 1, profile.profileName, askedName);
        case LoadResult::NotSaved:
            return CouldntSaveMessage();
        case LoadResult::Loaded:
        case LoadResult::Created:
            return std::nullopt;
        default:
            break;
    }
    const std::string& refused = profile.RefusedName().empty() ? askedName : profile.RefusedName();
    return RefusalMessage(result,
                          profile.Context().programDirectory + refused + ProfileFileExtension,
                          profile.profileName);
}

std::optional<MessageText> RefusalMessage(LoadResult result, const std::string& path,
                                          const std::string& nameNow) {
    switch (result) {
        case LoadResult::Damaged:
            return DamagedProfileMessage(path, nameNow);
        case LoadResult::Unreadable:
            return UnreadableProfileMessage(path, nameNow);
        case LoadResult::NewerVersion:
            return NewerVersionProfileMessage(path, nameNow);
        case LoadResult::NoMemory:
            return NotEnoughMemoryMessage();
        default:
            return std::nullopt;
    }
}

std::optional<MessageText> SaveMessage(SaveResult result, const std::string& path) {
    switch (result) {
        case SaveResult::Failed:
            return SaveFailureMessage(platform::ReplaceResult::Failed, path);
        case SaveResult::KeptInTemporary:
            return SaveFailureMessage(platform::ReplaceResult::KeptInTemporary, path);
        case SaveResult::NewerFileKept: {
            MessageText message = CouldntSaveMessage();
            message.text += "\nThe file " + path +
                            " was made by a newer version of Quorvel and is kept as it is.";
            return message;
        }
        case SaveResult::ButtonCountChanged: {
            MessageText message = CouldntSaveMessage();
            message.text += "\nThe joystick's number of buttons is not the one the file " + path +
                            " was loaded for, so the file is kept as it is.";
            return message;
        }
        case SaveResult::NoFile: {
            MessageText message = CouldntSaveMessage();
            message.text += "\nThe file " + path +
                            " could not be loaded and is kept as it is; choose or add a profile "
                            "to keep these settings.";
            return message;
        }
        case SaveResult::NotNeeded:
        case SaveResult::Saved:
            break;
    }
    return std::nullopt;
}

MessageText EmptyProfileNameMessage() {
    return {"Please type a name for the profile.\nThe name \".qvp\" alone is not enough.",
            AttentionTitle, platform::MessageIcon::Error, true};
}

MessageText ForbiddenCharacterMessage() {
    return {
        "A profile name cannot contain any of these characters:\n\\ / : * ? \" < > |\n"
        "nor tabs or other control characters.",
        AttentionTitle, platform::MessageIcon::Error, true};
}

MessageText ProfileNameTooLongMessage() {
    return {
        "This profile name is too long.\nWith the program's folder and \".qvp\", the file "
        "name must fit in 255 characters.",
        AttentionTitle, platform::MessageIcon::Error, true};
}

MessageText DeviceNameMessage(const std::string& name) {
    return {"Windows keeps the name \"" + name +
                "\" for a device, so no file can have it.\nPlease choose another profile name.",
            AttentionTitle, platform::MessageIcon::Error, true};
}

MessageText TooFewCharactersMessage() {
    return {"You must configure at least one character.", AttentionTitle,
            platform::MessageIcon::Error, true};
}

MessageText LargeLengthQuestion() {
    return {
        "It is not recommanded to create combinations larger than 5 characters.\nIt consumes "
        "a lot of memory.\nAre you sure you want to do this?",
        AttentionTitle, platform::MessageIcon::Question, true};
}

MessageText EditorNoMemoryMessage() {
    return {"Not Enough Memory", ErrorTitle, platform::MessageIcon::Error, false};
}

MessageText NoRuleProfileMessage(const std::string& name) {
    return {"no profile " + name + ": the file " + name + ".qvp does not exist", AttentionTitle,
            platform::MessageIcon::Information, false};
}

MessageText EditsNotSavedMessage(const std::string& editedName, const std::string& nameNow) {
    return {"The joystick came back using the profile " + nameNow +
                ".\nThe changes made here for the profile " + editedName +
                " were not saved; the dialog now shows " + nameNow + ".",
            AttentionTitle, platform::MessageIcon::Information, true};
}

void Show(const MessageText& message) {
    platform::ShowMessage(message.text, message.title, message.icon, message.owned);
}
