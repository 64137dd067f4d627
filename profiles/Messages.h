// Every message box text of the profile code and the button configuration dialog, in one table.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "profiles/JoystickProfile.h"

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
// A refused profile file; `nameNow` is the profile the joystick uses now, empty for none.
MessageText DamagedProfileMessage(const std::string& path, const std::string& nameNow);
MessageText UnreadableProfileMessage(const std::string& path, const std::string& nameNow);
MessageText NewerVersionProfileMessage(const std::string& path, const std::string& nameNow);
// A backup profile made at an earlier start was loaded instead of `askedName`.
MessageText BackupLoadedMessage(int joystickNumber, const std::string& backupName,
                                const std::string& askedName);

// What a load of `askedName` by `profile` (as the load left it) tells the user; none for a plain
// load. A refusal names the file refused: the profile's RefusedName(), which is the asked one or
// the backup for this button count that the load turned to.
std::optional<MessageText> LoadMessage(LoadResult result, const std::string& askedName,
                                       const JoystickProfile& profile);
// What the refusal of the profile file at `path` tells the user, `nameNow` as above; none for a
// result that refuses no file.
std::optional<MessageText> RefusalMessage(LoadResult result, const std::string& path,
                                          const std::string& nameNow);
// What a save of the file at `path` tells the user; none when it wrote or had nothing to write.
std::optional<MessageText> SaveMessage(SaveResult result, const std::string& path);

// Messages that portable code leaves for the shell, shown in order once the operation that
// produced them has finished.
using Notices = std::vector<MessageText>;
inline void Note(Notices& notices, const std::optional<MessageText>& message) {
    if (message) notices.push_back(*message);
}

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
// A rule of Quorvel.rules names a profile that has no file: nothing is loaded or created.
MessageText NoRuleProfileMessage(const std::string& name);
// OK of the button configuration dialog after its pad came back using another profile: the edits
// made for `editedName` were not written into `nameNow`.
MessageText EditsNotSavedMessage(const std::string& editedName, const std::string& nameNow);

// Shows one message through the platform.
void Show(const MessageText& message);
