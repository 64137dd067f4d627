// The exact wording, title, icon and owner of every message the profile code shows.
#include <gtest/gtest.h>

#include <string>

#include "profiles/Messages.h"

TEST(ProfileMessages, EveryTextTitleIconAndOwnerIsExact) {
    using platform::MessageIcon;
    const struct {
        MessageText shown;
        const char* text;
        const char* title;
        MessageIcon icon;
        bool owned;
    } table[] = {
        {NotEnoughMemoryMessage(), "Not enough memory", "Error", MessageIcon::Error, false},
        {CouldntSaveMessage(), "Couldn't save settings", "Error", MessageIcon::Error, true},
        {SaveFailureMessage(platform::ReplaceResult::Failed, "C:\\Q\\Pad.qvp"),
         "Couldn't save settings", "Error", MessageIcon::Error, true},
        {SaveFailureMessage(platform::ReplaceResult::KeptInTemporary, "C:\\Q\\Pad.qvp"),
         "Couldn't save settings\nThe old file is gone; the new settings are kept in "
         "C:\\Q\\Pad.qvp.tmp.",
         "Error", MessageIcon::Error, true},
        {ButtonCountChangedMessage(16, "Pad(12)(10)"),
         "The joystick whose ID is 16 has a different number of buttons.\n\r"
         "The file Pad(12)(10) has been created to backup the old profile.",
         "Attention!", MessageIcon::Information, true},
        {DamagedProfileMessage("C:\\Quorvel\\Pad.qvp", ""),
         "The profile file C:\\Quorvel\\Pad.qvp is damaged and was not loaded.\n"
         "The joystick uses the default settings; the file has not been changed.",
         "Error", MessageIcon::Error, true},
        {UnreadableProfileMessage("C:\\Quorvel\\Pad.qvp", "Default"),
         "The profile file C:\\Quorvel\\Pad.qvp could not be read.\n"
         "The joystick uses the profile Default; the file has not been changed.",
         "Error", MessageIcon::Error, true},
        {BackupLoadedMessage(1, "Pad(10)", "Pad"),
         "The joystick whose ID is 1 has a different number of buttons.\n\r"
         "The file Pad(10).qvp, made for it earlier, was loaded instead; the file Pad.qvp has "
         "not been changed.",
         "Attention!", MessageIcon::Information, true},
        {EmptyProfileNameMessage(),
         "Please type a name for the profile.\nThe name \".qvp\" alone is not enough.",
         "Attention!", MessageIcon::Error, true},
        {ForbiddenCharacterMessage(),
         "A profile name cannot contain any of these characters:\n\\ / : * ? \" < > |\n"
         "nor tabs or other control characters.",
         "Attention!", MessageIcon::Error, true},
        {ProfileNameTooLongMessage(),
         "This profile name is too long.\nWith the program's folder and \".qvp\", the file name "
         "must fit in 255 characters.",
         "Attention!", MessageIcon::Error, true},
        {DeviceNameMessage("con"),
         "Windows keeps the name \"con\" for a device, so no file can have it.\n"
         "Please choose another profile name.",
         "Attention!", MessageIcon::Error, true},
        {TooFewCharactersMessage(), "You must configure at least one character.", "Attention!",
         MessageIcon::Error, true},
        {LargeLengthQuestion(),
         "It is not recommanded to create combinations larger than 5 characters.\n"
         "It consumes a lot of memory.\nAre you sure you want to do this?",
         "Attention!", MessageIcon::Question, true},
        {EditorNoMemoryMessage(), "Not Enough Memory", "Error", MessageIcon::Error, false},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(row.shown.text, row.text);
        EXPECT_EQ(row.shown.title, row.title);
        EXPECT_EQ(row.shown.icon, row.icon);
        EXPECT_EQ(row.shown.owned, row.owned);
    }
}
