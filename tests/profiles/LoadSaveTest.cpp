// Loading and saving a joystick's profile through the recording platform's in-memory disk.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/recording/RecordingPlatform.h"
#include "profiles/JoystickProfile.h"
#include "profiles/Messages.h"
#include "profiles/ProfileFile.h"

namespace {

const std::string Directory = "C:\\Quorvel\\";

std::string PathOf(const std::string& name) { return Directory + name + ".qvp"; }

// The content of a profile file, built with the codec.
struct FileContent {
    ProfileSettings settings;
    int32_t buttons = 12;
    ActionEntries table{};
    std::vector<uint8_t> text;  // 72 * MaxChars bytes, or empty for no text
    int32_t shiftButton = 0;

    FileContent& Key(int column, int event, int32_t value) {
        table[static_cast<size_t>(36 * column + event - 1)] = value;
        return *this;
    }
    FileContent& Text(int slot, const std::string& characters) {
        const size_t m = static_cast<size_t>(settings.maxChars);
        text.resize(72 * m);
        std::copy(characters.begin(), characters.end(), text.begin() + slot * m);
        return *this;
    }
    std::vector<uint8_t> Bytes() const {
        ProfileHeader header{settings, buttons};
        return EncodeProfile(header, table, text.empty() ? nullptr : text.data(), shiftButton);
    }
};

// The Pad profile of a twelve-button pad: button 1 is Enter, button 2 types "ok" in the shifted
// column, button 4 is the shift button; every setting differs from the default.
FileContent Pad() {
    FileContent pad;
    pad.settings = {1, 1, 0, 20, 100, 3000, 2000, 3};
    pad.Key(1, 5, 23).Text(36 + 5, "ok");
    pad.shiftButton = 4;
    return pad;
}

struct ReadBack {
    ProfileHeader header;
    ProfileBody body;
    std::vector<uint8_t> text;
};

ReadBack DecodeFile(const std::string& name) {
    ReadBack r;
    const std::vector<uint8_t>& bytes = recording::Files().at(PathOf(name));
    EXPECT_EQ(DecodeProfileHeader(bytes, r.header), ProfileDecodeError::None);
    r.text.resize(72 * static_cast<size_t>(r.header.settings.maxChars));
    DecodeProfileBody(bytes, r.header, r.body, r.text.data());
    return r;
}

class ProfileFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        recording::Reset();
        SetButtons(12, 12);
    }
    static void SetButtons(uint32_t numButtons, uint32_t maxButtons) {
        for (int id = 0; id < 16; ++id) {
            recording::JoystickAt(id).caps.numButtons = numButtons;
            recording::JoystickAt(id).caps.maxButtons = maxButtons;
        }
    }
    // Loads the Pad profile into a fresh profile and forgets the log.
    void LoadPad(JoystickProfile& profile) {
        recording::Files()[PathOf("Pad")] = Pad().Bytes();
        profile.profileName = "Pad";
        ASSERT_EQ(profile.Load(), LoadResult::Loaded);
        recording::Calls().clear();
        recording::WrittenPaths().clear();
    }
    // One poll with this button word; returns what the focused application received.
    std::vector<recording::Call> PollButtons(JoystickProfile& profile, uint32_t buttons) {
        recording::JoystickAt(0).state.buttons = buttons;
        profile.Poll();
        return recording::TakeInput();
    }

    ProgramContext context{Directory, PlatformWindowsNt};
};

using MissingProfileFile = ProfileFiles;
using Saving = ProfileFiles;
using ButtonCountChange = ProfileFiles;
using DamagedProfile = ProfileFiles;
using ShortProfileFile = ProfileFiles;
using LoadedSettings = ProfileFiles;

const std::vector<recording::Call> EnterPressedAgain = {recording::KeyUp(0x0D),
                                                        recording::KeyDown(0x0D)};

}  // namespace

TEST_F(MissingProfileFile, NewProfileGetsAFileOfDefaultsAtOnce) {
    JoystickProfile profile(context, 0);
    profile.profileName = "Pad";
    EXPECT_EQ(profile.Load(), LoadResult::Created);

    std::vector<uint8_t> expected = {
        0x00, 0x00, 0x00, 0x00,  // Swap Y axis
        0x00, 0x00, 0x00, 0x00,  // Swap X axis
        0x00, 0x00, 0x00, 0x00,  // Progressive action
        0x0A, 0x00, 0x00, 0x00,  // Acceleration 10
        0x32, 0x00, 0x00, 0x00,  // Polling Delay 50
        0x70, 0x17, 0x00, 0x00,  // Sensitivity 6000
        0xE8, 0x03, 0x00, 0x00,  // Threshold 1000
        0x02, 0x00, 0x00, 0x00,  // MaxChars 2
        0x0C, 0x00, 0x00, 0x00,  // N 12
    };
    expected.resize(360, 0);  // no mappings, no text, no shift button
    EXPECT_EQ(recording::Files().at(PathOf("Pad")), expected);
    EXPECT_EQ(recording::WrittenPaths(), std::vector<std::string>{PathOf("Pad")});
    EXPECT_TRUE(recording::Messages().empty());
    EXPECT_FALSE(profile.modified);
}

TEST_F(MissingProfileFile, NewNameStartsFromThePreviousMappingsWithDefaultSettings) {
    JoystickProfile profile(context, 0);
    LoadPad(profile);
    profile.stored.settings.progressive = 1;
    profile.profileName = "Fresh";
    EXPECT_EQ(profile.Load(), LoadResult::Created);

    const ReadBack fresh = DecodeFile("Fresh");
    const ProfileSettings& s = fresh.header.settings;
    EXPECT_EQ((std::vector<int32_t>{s.swapY, s.swapX, s.acceleration, s.pollingDelay, s.sensitivity,
                                    s.threshold}),
              (std::vector<int32_t>{0, 0, 10, 50, 6000, 1000}));
    // Kept from the profile: progressive flag, MaxChars, mappings, text and shift button.
    EXPECT_EQ(s.progressive, 1);
    EXPECT_EQ(s.maxChars, 3);
    EXPECT_EQ(fresh.body.table, Pad().table);
    EXPECT_EQ(fresh.text, Pad().text);
    EXPECT_EQ(fresh.body.shiftButton, 4);
    EXPECT_EQ(recording::Files().at(PathOf("Pad")), Pad().Bytes());
}

TEST_F(Saving, OnlyAModifiedProfileIsWrittenAndOnlyOnce) {
    JoystickProfile profile(context, 0);
    LoadPad(profile);
    EXPECT_EQ(profile.Save(), SaveResult::NotNeeded);
    EXPECT_TRUE(recording::WrittenPaths().empty());

    profile.stored.settings.sensitivity = 4000;
    profile.modified = true;
    EXPECT_EQ(profile.Save(), SaveResult::Saved);
    EXPECT_EQ(profile.Save(), SaveResult::NotNeeded);
    EXPECT_EQ(recording::WrittenPaths(), std::vector<std::string>{PathOf("Pad")});
    EXPECT_EQ(DecodeFile("Pad").header.settings.sensitivity, 4000);
}

TEST_F(Saving, EmptyProfileNameWritesNothingAndKeepsTheModifiedFlag) {
    JoystickProfile profile(context, 0);
    LoadPad(profile);
    profile.profileName = "";
    profile.modified = true;
    EXPECT_EQ(profile.Save(), SaveResult::NotNeeded);
    EXPECT_TRUE(profile.modified);
    EXPECT_TRUE(recording::WrittenPaths().empty());
    EXPECT_TRUE(recording::Messages().empty());
}

TEST_F(Saving, FailedSaveIsReportedKeepsTheFileAndWritesTheChangesNextTime) {
    JoystickProfile profile(context, 0);
    LoadPad(profile);
    profile.stored.settings.threshold = 1500;
    profile.modified = true;
    recording::SetFailWrites(true);
    EXPECT_EQ(profile.Save(), SaveResult::Failed);
    EXPECT_EQ(SaveMessage(SaveResult::Failed, PathOf("Pad"))->text, "Couldn't save settings");
    EXPECT_EQ(recording::Files().at(PathOf("Pad")), Pad().Bytes());
    EXPECT_TRUE(profile.modified);

    recording::SetFailWrites(false);
    EXPECT_EQ(profile.Save(), SaveResult::Saved);
    EXPECT_EQ(DecodeFile("Pad").header.settings.threshold, 1500);
    EXPECT_FALSE(profile.modified);
}

TEST_F(Saving, ASaveThatLostTheOldFileNamesTheTemporaryHoldingTheNewSettings) {
    JoystickProfile profile(context, 0);
    LoadPad(profile);
    profile.modified = true;
    recording::SetWritesKeepTemporary(true);
    EXPECT_EQ(profile.Save(), SaveResult::KeptInTemporary);
    EXPECT_EQ(SaveMessage(SaveResult::KeptInTemporary, PathOf("Pad"))->text,
              SaveFailureMessage(platform::ReplaceResult::KeptInTemporary, PathOf("Pad")).text);
    EXPECT_EQ(recording::Files().count(PathOf("Pad") + ".tmp"), 1u);
    EXPECT_TRUE(profile.modified);
}

TEST_F(Saving, DeviceWithMoreThan32ButtonsIsStoredAs32AndLoadsWithoutABackup) {
    SetButtons(40, 40);
    JoystickProfile profile(context, 0);
    profile.profileName = "Big";
    EXPECT_EQ(profile.Load(), LoadResult::Created);
    EXPECT_EQ(recording::Files().at(PathOf("Big")).size(), 760u);

    recording::WrittenPaths().clear();
    EXPECT_EQ(profile.Load(), LoadResult::Loaded);
    EXPECT_EQ(profile.profileName, "Big");
    EXPECT_TRUE(recording::WrittenPaths().empty());
    EXPECT_EQ(recording::Messages().size(), 0u);
}

TEST_F(Saving, NeverRewritesAFileForAnotherButtonCountThanItWasLoadedFor) {
    JoystickProfile profile(context, 0);
    LoadPad(profile);
    SetButtons(10, 10);
    profile.SetUpDevice();  // another device answers under this ID
    profile.modified = true;
    EXPECT_EQ(profile.Save(), SaveResult::ButtonCountChanged);
    EXPECT_EQ(SaveMessage(SaveResult::ButtonCountChanged, PathOf("Pad"))->text,
              "Couldn't save settings\nThe joystick's number of buttons is not the one the file " +
                  PathOf("Pad") + " was loaded for, so the file is kept as it is.");
    EXPECT_TRUE(recording::WrittenPaths().empty());
    EXPECT_TRUE(profile.modified);
}

TEST_F(Saving, CapabilitiesThatCannotBeReadMakeNoBackupAndNoSave) {
    recording::Files()[PathOf("Pad")] = Pad().Bytes();
    recording::JoystickAt(0).capsAnswer = false;
    JoystickProfile profile(context, 0);
    EXPECT_EQ(profile.Load("Pad"), LoadResult::Loaded);
    EXPECT_EQ(profile.profileName, "Pad");
    profile.modified = true;
    EXPECT_EQ(profile.Save(), SaveResult::ButtonCountChanged);
    EXPECT_TRUE(recording::WrittenPaths().empty());
}

TEST_F(LoadedSettings, EveryFieldReachesItsSettingAndIsSavedBackUnchanged) {
    FileContent one;  // one button: CTRL+ALT+SHIFT, F1 and "x"; every setting distinct
    one.settings = {1, 0, 1, 42, 75, 3000, 2000, 1};
    one.buttons = 1;
    one.Key(0, 5, 7).Key(1, 5, 34).Text(4, "x");
    const std::vector<uint8_t> file = one.Bytes();
    SetButtons(1, 1);
    recording::Files()[PathOf("One")] = file;
    JoystickProfile profile(context, 0);
    profile.profileName = "One";
    ASSERT_EQ(profile.Load(), LoadResult::Loaded);
    EXPECT_EQ((std::vector<int32_t>{
                  profile.stored.settings.swapY, profile.stored.settings.swapX,
                  profile.stored.settings.progressive, profile.stored.settings.acceleration,
                  profile.stored.settings.pollingDelay, profile.stored.settings.sensitivity,
                  profile.stored.settings.threshold, profile.stored.settings.maxChars}),
              (std::vector<int32_t>{1, 0, 1, 42, 75, 3000, 2000, 1}));

    profile.StartPolling();
    EXPECT_EQ(recording::Calls().back(), (recording::Call{recording::CallKind::TimerStart, 0, 75}));
    recording::Calls().clear();
    EXPECT_EQ(PollButtons(profile, 1),
              (std::vector<recording::Call>{recording::KeyDown(0x11), recording::KeyDown(0x12),
                                            recording::KeyDown(0x10), recording::KeyDown(0x70),
                                            recording::KeyDown('X')}));

    profile.modified = true;
    ASSERT_EQ(profile.Save(), SaveResult::Saved);
    EXPECT_EQ(recording::Files().at(PathOf("One")), file);
}

TEST_F(LoadedSettings, TextBufferFollowsTheMaxCharsOfEachFile) {
    JoystickProfile profile(context, 0);
    FileContent wide;  // progressive, so a held button is pressed once
    wide.settings.progressive = 1;
    wide.settings.maxChars = 5;
    wide.Text(4, "hello");
    FileContent narrow;
    narrow.settings.progressive = 1;
    narrow.settings.maxChars = 1;
    narrow.Text(4, "z");
    recording::Files()[PathOf("Wide")] = wide.Bytes();
    recording::Files()[PathOf("Narrow")] = narrow.Bytes();
    profile.profileName = "Wide";
    ASSERT_EQ(profile.Load(), LoadResult::Loaded);
    profile.StartPolling();
    recording::Calls().clear();

    EXPECT_EQ(PollButtons(profile, 1),
              (std::vector<recording::Call>{recording::KeyDown('H'), recording::KeyDown('E'),
                                            recording::KeyDown('L'), recording::KeyDown('L'),
                                            recording::KeyDown('O')}));
    PollButtons(profile, 0);
    profile.profileName = "Narrow";
    ASSERT_EQ(profile.Load(), LoadResult::Loaded);
    EXPECT_EQ(PollButtons(profile, 1), (std::vector<recording::Call>{recording::KeyDown('Z')}));
}

TEST_F(ButtonCountChange, FewerButtonsMakeABackupProfileAndLeaveTheOldFileAlone) {
    SetButtons(10, 10);
    FileContent pad = Pad();
    pad.Key(1, 14, 34);  // button 10: F1
    pad.Key(1, 16, 45);  // button 12: F12, beyond the new count
    recording::Files()[PathOf("Pad")] = pad.Bytes();
    JoystickProfile profile(context, 2);
    profile.profileName = "Pad";
    EXPECT_EQ(profile.Load(), LoadResult::BackedUp);

    EXPECT_EQ(profile.profileName, "Pad(10)");
    EXPECT_EQ(recording::Files().at(PathOf("Pad")), pad.Bytes());
    EXPECT_EQ(recording::WrittenPaths(), std::vector<std::string>{PathOf("Pad(10)")});
    EXPECT_EQ(recording::Files().at(PathOf("Pad(10)")).size(), 40u + 14u * (16u + 6u));
    const ReadBack backup = DecodeFile("Pad(10)");
    EXPECT_EQ(backup.header.buttonCount, 10);
    EXPECT_EQ(backup.header.settings.sensitivity, 3000);
    FileContent expected = Pad();
    expected.Key(1, 14, 34);
    EXPECT_EQ(backup.body.table, expected.table);
    EXPECT_EQ(backup.text, expected.text);
    EXPECT_EQ(backup.body.shiftButton, 4);

    EXPECT_EQ(LoadMessage(LoadResult::BackedUp, "Pad", profile)->text,
              "The joystick whose ID is 3 has a different number of buttons.\n\rThe file Pad(10) "
              "has been created to backup the old profile.");
    EXPECT_TRUE(recording::Messages().empty());
    EXPECT_FALSE(profile.modified);
}

TEST_F(ButtonCountChange, SuffixAlwaysCarriesTheCurrentCountInTwoDigits) {
    const struct {
        const char* name;
        uint32_t buttons;
        const char* backup;
    } cases[] = {{"Pad(12)", 10, "Pad(12)(10)"},
                 {"Pad", 5, "Pad(05)"},
                 {"Pad", 0, "Pad(00)"},
                 {"Pad", 20, "Pad(20)"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.backup);
        recording::Reset();
        SetButtons(c.buttons, c.buttons);
        recording::Files()[PathOf(c.name)] = Pad().Bytes();
        JoystickProfile profile(context, 0);
        profile.profileName = c.name;
        EXPECT_EQ(profile.Load(), LoadResult::BackedUp);
        EXPECT_EQ(profile.profileName, c.backup);
        EXPECT_EQ(recording::WrittenPaths(), std::vector<std::string>{PathOf(c.backup)});
    }
}

TEST_F(ButtonCountChange, BackupThatCannotBeWrittenIsReportedAndWrittenAtTheNextSave) {
    SetButtons(10, 10);
    recording::Files()[PathOf("Pad")] = Pad().Bytes();
    recording::SetFailWrites(true);
    JoystickProfile profile(context, 0);
    EXPECT_EQ(profile.Load("Pad"), LoadResult::NotSaved);

    EXPECT_EQ(LoadMessage(LoadResult::NotSaved, "Pad", profile)->text, "Couldn't save settings");
    EXPECT_EQ(recording::Files().size(), 1u);
    EXPECT_TRUE(profile.modified);

    recording::SetFailWrites(false);
    EXPECT_EQ(profile.Save(), SaveResult::Saved);
    EXPECT_EQ(DecodeFile(profile.profileName).header.buttonCount, 10);
    EXPECT_EQ(recording::Files().at(PathOf("Pad")), Pad().Bytes());
}

TEST_F(ButtonCountChange, AnEarlierBackupIsLoadedNotOverwritten) {
    SetButtons(10, 10);
    recording::Files()[PathOf("Pad")] = Pad().Bytes();
    FileContent edited = Pad();
    edited.buttons = 10;
    edited.Key(1, 6, 25);  // button 2: Escape, changed since the backup was made
    recording::Files()[PathOf("Pad(10)")] = edited.Bytes();
    JoystickProfile profile(context, 0);
    profile.profileName = "Pad";

    EXPECT_EQ(profile.Load(), LoadResult::BackupLoaded);
    EXPECT_EQ(profile.profileName, "Pad(10)");
    EXPECT_TRUE(recording::WrittenPaths().empty());
    // The user is told which file the joystick uses, and that Pad.qvp is as it was.
    EXPECT_EQ(LoadMessage(LoadResult::BackupLoaded, "Pad", profile)->text,
              BackupLoadedMessage(1, "Pad(10)", "Pad").text);
    EXPECT_EQ(recording::Files().at(PathOf("Pad(10)")), edited.Bytes());
    EXPECT_EQ(profile.stored.ActionTable, edited.table);
}

TEST_F(ButtonCountChange, ARefusedBackupIsReportedUnderItsOwnName) {
    JoystickProfile profile(context, 0);
    LoadPad(profile);  // Pad.qvp is sound, and the joystick keeps it
    recording::Files()[PathOf("Pad(10)")] = {1, 2, 3};
    SetButtons(10, 10);
    profile.SetUpDevice();
    EXPECT_EQ(profile.Load("Pad"), LoadResult::Damaged);
    EXPECT_EQ(LoadMessage(LoadResult::Damaged, "Pad", profile)->text,
              DamagedProfileMessage(PathOf("Pad(10)"), "Pad").text);
}

TEST_F(ButtonCountChange, NameTooLongForTheSuffixIsShortenedSoTheOldFileIsNeverRewritten) {
    SetButtons(10, 10);
    // The longest name whose file fits: directory + name + ".qvp" is 255 characters.
    const std::string longName(255 - Directory.size() - 4, 'p');
    recording::Files()[PathOf(longName)] = Pad().Bytes();
    JoystickProfile profile(context, 0);
    profile.profileName = longName;

    EXPECT_EQ(profile.Load(), LoadResult::BackedUp);
    const std::string backup = longName.substr(0, longName.size() - 4) + "(10)";
    EXPECT_EQ(profile.profileName, backup);
    EXPECT_EQ(recording::WrittenPaths(), std::vector<std::string>{PathOf(backup)});
    EXPECT_EQ(recording::Files().at(PathOf(longName)), Pad().Bytes());

    profile.modified = true;
    EXPECT_EQ(profile.Save(), SaveResult::Saved);
    EXPECT_EQ(recording::Files().at(PathOf(longName)), Pad().Bytes());
}

TEST_F(ButtonCountChange, Windows9xComparesTheStoredCountWithTheDriversMaximum) {
    recording::Files()[PathOf("Pad")] = Pad().Bytes();
    context.platformId = PlatformWindows9x;
    SetButtons(10, 12);
    {
        JoystickProfile profile(context, 0);
        profile.profileName = "Pad";
        EXPECT_EQ(profile.Load(), LoadResult::Loaded);
        EXPECT_EQ(profile.profileName, "Pad");
    }
    SetButtons(12, 16);
    {
        JoystickProfile profile(context, 0);
        profile.profileName = "Pad";
        EXPECT_EQ(profile.Load(), LoadResult::BackedUp);
        EXPECT_EQ(profile.profileName, "Pad(16)");
        EXPECT_EQ(DecodeFile("Pad(16)").header.buttonCount, 16);
    }
    context.platformId = PlatformWindowsNt;
    SetButtons(10, 12);
    JoystickProfile profile(context, 0);
    profile.profileName = "Pad";
    EXPECT_EQ(profile.Load(), LoadResult::BackedUp);
    EXPECT_EQ(profile.profileName, "Pad(10)");
}

TEST_F(DamagedProfile, IsRefusedNeverWrittenAndTheJoystickKeepsItsProfileWithPendingEdits) {
    std::vector<uint8_t> outOfRangeN = Pad().Bytes();
    outOfRangeN[32] = 33;
    std::vector<uint8_t> negativeN = Pad().Bytes();
    negativeN[35] = 0x80;
    std::vector<uint8_t> zeroMaxChars = Pad().Bytes();
    zeroMaxChars[28] = 0;
    std::vector<uint8_t> hugeMaxChars = Pad().Bytes();
    hugeMaxChars[28] = 0x01;  // 0x1001 = 4097
    hugeMaxChars[29] = 0x10;
    const std::vector<std::vector<uint8_t>> damaged = {
        {}, std::vector<uint8_t>(35, 0), outOfRangeN, negativeN, zeroMaxChars, hugeMaxChars};

    for (const std::vector<uint8_t>& bytes : damaged) {
        SCOPED_TRACE(testing::Message() << bytes.size() << " bytes");
        recording::Reset();
        SetButtons(12, 12);
        JoystickProfile profile(context, 0);
        LoadPad(profile);
        profile.StartPolling();
        profile.stored.settings.threshold = 1234;
        profile.modified = true;
        recording::Files()[PathOf("Bad")] = bytes;
        EXPECT_EQ(profile.Load("Bad"), LoadResult::Damaged);

        EXPECT_EQ(LoadMessage(LoadResult::Damaged, "Bad", profile)->text,
                  "The profile file " + PathOf("Bad") +
                      " is damaged and was not loaded.\nThe joystick uses the profile Pad; the "
                      "file has not been changed.");
        EXPECT_TRUE(recording::Messages().empty());
        EXPECT_EQ(profile.profileName, "Pad");
        EXPECT_EQ(profile.stored.settings.threshold, 1234);
        EXPECT_TRUE(profile.modified);
        // The pending edit goes to the joystick's own file, never to the refused one.
        EXPECT_EQ(profile.Save(), SaveResult::Saved);
        EXPECT_EQ(recording::WrittenPaths(), std::vector<std::string>{PathOf("Pad")});
        EXPECT_EQ(recording::Files().at(PathOf("Bad")), bytes);
        recording::Calls().clear();
        EXPECT_EQ(PollButtons(profile, 1), EnterPressedAgain);
    }
}

TEST_F(DamagedProfile, UnreadableFileIsRefusedAndNeverOverwritten) {
    JoystickProfile profile(context, 0);
    LoadPad(profile);
    recording::Files()[PathOf("Locked")] = {1, 2, 3};
    recording::UnreadableFiles().insert(PathOf("Locked"));
    recording::UnreadableFiles().insert(PathOf("Gone"));
    EXPECT_EQ(profile.Load("Locked"), LoadResult::Unreadable);
    EXPECT_EQ(profile.Load("Gone"), LoadResult::Unreadable);

    EXPECT_EQ(LoadMessage(LoadResult::Unreadable, "Gone", profile)->text,
              UnreadableProfileMessage(PathOf("Gone"), "Pad").text);
    EXPECT_TRUE(recording::WrittenPaths().empty());
    EXPECT_EQ(recording::Files().at(PathOf("Locked")), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(recording::Files().count(PathOf("Gone")), 0u);
    EXPECT_EQ(profile.profileName, "Pad");
    EXPECT_EQ(profile.stored.settings.sensitivity, 3000);
}

TEST_F(ShortProfileFile, EntriesPastTheEndAreZeroAndTheShiftButtonNeedsAllFourBytes) {
    FileContent pad = Pad();
    pad.Key(1, 6, 34);  // button 2: F1, at 100 + 4 * 5 = 120..123 (columns hold 16 entries)
    pad.shiftButton = 0;
    const std::vector<uint8_t> full = pad.Bytes();
    ASSERT_EQ(full.size(), 40u + 16u * 22u);
    JoystickProfile profile(context, 0);
    profile.stored.shiftButton = 3;
    profile.stored.ActionTable[KeyIndex(Column::Normal, 5)] = 45;
    profile.profileName = "Cut";

    recording::Files()[PathOf("Cut")] = std::vector<uint8_t>(full.begin(), full.begin() + 36);
    ASSERT_EQ(profile.Load(), LoadResult::Loaded);
    EXPECT_EQ(profile.stored.settings.sensitivity, 3000);
    EXPECT_EQ(profile.stored.ActionTable, ActionEntries{});

    recording::Files()[PathOf("Cut")] = std::vector<uint8_t>(full.begin(), full.begin() + 122);
    ASSERT_EQ(profile.Load(), LoadResult::Loaded);
    profile.StartPolling();
    recording::Calls().clear();
    EXPECT_EQ(PollButtons(profile, 1), EnterPressedAgain);
    EXPECT_EQ(PollButtons(profile, 2), std::vector<recording::Call>{recording::KeyUp(0x0D)});
    EXPECT_EQ(profile.stored.shiftButton, 3);

    recording::Files()[PathOf("Cut")] = std::vector<uint8_t>(full.begin(), full.end() - 1);
    ASSERT_EQ(profile.Load(), LoadResult::Loaded);
    EXPECT_EQ(PollButtons(profile, 2),
              (std::vector<recording::Call>{recording::KeyUp(0x70), recording::KeyDown(0x70)}));
    EXPECT_EQ(profile.stored.shiftButton, 3);

    recording::Files()[PathOf("Cut")] = full;
    ASSERT_EQ(profile.Load(), LoadResult::Loaded);
    EXPECT_EQ(profile.stored.shiftButton, 0);
    EXPECT_TRUE(recording::WrittenPaths().empty());
    EXPECT_TRUE(recording::Messages().empty());
}

TEST(DeviceSetUp, CentreIsTheMidpointOfTheAxisRangeWithTheFractionDropped) {
    const struct {
        uint32_t max, pushed;
        int32_t dx;
    } cases[] = {
        {65535, 65535, 32758},  // centre 32767: (65535 - 10) - 32767
        {255, 255, 118},        // centre 127: (255 - 10) - 127
        {255, 138, 1},          // one unit beyond the dead zone's edge at 137
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "range 0.." << c.max << ", pushed to " << c.pushed);
        recording::Reset();
        recording::JoystickAt(0).caps = {0, c.max, 0, c.max, 12, 12};
        const ProgramContext context{Directory, PlatformWindowsNt};
        JoystickProfile profile(context, 0);
        profile.profileName = "Mouse";
        profile.Load();
        profile.stored.ActionTable[ModifierIndex(Column::Normal, 2)] = MoveMouseChoice;  // Right
        profile.stored.settings.threshold = 10;
        profile.stored.settings.sensitivity = 1;
        profile.stored.settings.acceleration = 0;
        profile.StartPolling();
        recording::JoystickAt(0).state = {c.pushed, c.max / 2, 0};
        profile.Poll();
        EXPECT_EQ(recording::TakeInput(), std::vector<recording::Call>{recording::Move(c.dx, 0)});
    }
}
