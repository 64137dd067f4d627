// The profile manager: which files the Profile Manager submenu lists and under which names, and
// selecting, adding and deleting the current joystick's profile.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/recording/RecordingPlatform.h"
#include "profiles/ProfileFile.h"
#include "profiles/ProfileManager.h"

namespace {

const std::string Dir = "C:\\Q\\";
using Names = std::vector<std::string>;

class ProfileManagerTest : public ::testing::Test {
  protected:
    ProfileManagerTest() {
        recording::Reset();
        AddFile("Pad.qvp", 1111);
        state.profiles[0] = std::make_unique<JoystickProfile>(state.context, 0);
        Current().profileName = "Pad";
        Current().Load();
    }
    JoystickProfile& Current() { return *state.profiles[0]; }
    // A file for the fake's 32-button joystick; its Sensitivity tells it apart.
    void AddFile(const std::string& name, int32_t sensitivity) {
        ProfileHeader header;
        header.settings.sensitivity = sensitivity;
        header.buttonCount = 32;
        recording::Files()[Dir + name] = EncodeProfile(header, ActionEntries{}, nullptr, 0);
    }
    int32_t SensitivityInFile(const std::string& name) {
        ProfileHeader header;
        DecodeProfileHeader(recording::Files().at(Dir + name), header);
        return header.settings.sensitivity;
    }
    Names Items() {
        Names texts;
        for (const ProfileEntry& entry : manager.Entries()) texts.push_back(entry.profileName);
        return texts;
    }

    ApplicationState state{ProgramContext{Dir, PlatformWindowsNt}};
    ProfileManager manager{state};
};

using ProfileList = ProfileManagerTest;
using SelectProfile = ProfileManagerTest;
using AddProfile = ProfileManagerTest;
using DeleteProfile = ProfileManagerTest;

TEST_F(ProfileList, HoldsTheProfileFilesOfTheDirectorySortedWithoutRegardToLetterCase) {
    for (const char* name : {"zed.qvp", "Alpha.QVP", "beta.qvp", "notes.txt", "Old.qvp.bak", ".qvp",
                             "  .qvp", "a|b.qvp"}) {
        AddFile(name, 1);
    }
    AddFile("sub\\Inner.qvp", 1);
    manager.Refresh();
    EXPECT_EQ(Items(), (Names{"Alpha", "beta", "Pad", "zed"}));
    EXPECT_EQ(manager.Entries()[0].fileName, "Alpha.QVP");

    recording::Files().clear();
    manager.Refresh();
    EXPECT_TRUE(manager.DeleteChoices().empty());
    EXPECT_FALSE(manager.Select(FirstProfileCommand));
}

TEST_F(ProfileList, AHugeFolderListsOnlyTheFilesWhoseItemsFitBelowCommand65535) {
    for (int i = 0; i < 25035; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "P%05d.qvp", i);
        recording::Files()[Dir + name] = {};
    }
    manager.Refresh();  // Pad.qvp, 25036th in list order, gets no item
    ASSERT_EQ(manager.Entries().size(), 25035u);
    EXPECT_EQ(manager.Entries().back().fileName, "P25034.qvp");
    EXPECT_FALSE(manager.Select(0xFFFF));
    EXPECT_EQ(manager.CurrentName(), "Pad");
}

TEST_F(ProfileList, DisplayNamesWithAndWithoutTheExtensionGiveTheSameNamesAndFiles) {
    AddFile("Zed.qvp", 2222);
    AddFile("Pad.qvp.qvp", 3333);  // shown as "Pad.qvp" when the shell hides extensions
    for (bool hidden : {false, true}) {
        recording::SetShellHidesExtensions(hidden);
        manager.Refresh();
        ASSERT_EQ(Items(), (Names{"Pad", "Pad.qvp", "Zed"}));
        ASSERT_TRUE(manager.Select(FirstProfileCommand + 1));
        EXPECT_EQ(manager.CurrentName(), "Pad.qvp");
        EXPECT_EQ(Current().stored.settings.sensitivity, 3333);
        ASSERT_TRUE(manager.Select(FirstProfileCommand + 2));
        EXPECT_EQ(Current().stored.settings.sensitivity, 2222);
        Current().profileName = "pAD";
        manager.Refresh();
        EXPECT_EQ(manager.CurrentName(), "Pad");  // the letter case of its file
    }
}

TEST_F(ProfileList, ACurrentProfileWithoutFileKeepsItsNameSoItsSaveWritesItsOwnFile) {
    recording::Files().erase(Dir + "Pad.qvp");
    AddFile("Zed.qvp", 2222);
    manager.Refresh();
    EXPECT_EQ(manager.CurrentName(), "Pad");
    Current().modified = true;
    ASSERT_EQ(Current().Save(), SaveResult::Saved);
    EXPECT_EQ(SensitivityInFile("Zed.qvp"), 2222);
    EXPECT_EQ(SensitivityInFile("Pad.qvp"), 1111);
}

TEST_F(SelectProfile, ShowsNothingItselfSoExitChosenInAMessageBoxCannotFreeTheProfileUnderIt) {
    AddFile("Zed.qvp", 2222);
    recording::Files()[Dir + "Zed.qvp"].resize(20);  // damaged
    manager.Refresh();
    // Exit chosen from the notification area while a message box is open deletes every profile.
    recording::DoWhileNextMessage([this] {
        for (auto& profile : state.profiles) profile.reset();
    });
    Current().modified = true;
    recording::SetFailWrites(true);

    ASSERT_TRUE(manager.Select(FirstProfileCommand + 1));
    EXPECT_TRUE(recording::Messages().empty());
    ASSERT_EQ(state.notices.size(), 2u);
    EXPECT_EQ(state.notices[0].text, CouldntSaveMessage().text);
    EXPECT_EQ(state.notices[1].text, DamagedProfileMessage(Dir + "Zed.qvp", "Pad").text);
    EXPECT_EQ(Current().profileName, "Pad");
    EXPECT_TRUE(Current().modified);
}

TEST_F(SelectProfile, SavesTheOldProfileReleasesHeldKeysThenLoadsTheFileAndTheDevice) {
    Current().stored.ActionTable[KeyIndex(Column::Normal, ButtonEvent(1))] = 5;  // Up Arrow
    Current().stored.settings.progressive = 1;  // held, not re-fired
    Current().StartPolling();
    recording::JoystickAt(0).state.buttons = 1;
    Current().Poll();
    ASSERT_EQ(recording::TakeInput(), std::vector<recording::Call>{recording::KeyDown(0x26)});
    Current().stored.settings.sensitivity = 4321;
    Current().modified = true;
    AddFile("Zed.qvp", 2222);
    recording::JoystickAt(0).caps.xMax = 255;
    manager.Refresh();
    EXPECT_FALSE(manager.Select(FirstProfileCommand + 2));

    ASSERT_TRUE(manager.Select(FirstProfileCommand + 1));
    EXPECT_EQ(recording::TakeInput(), std::vector<recording::Call>{recording::KeyUp(0x26)});
    EXPECT_EQ(SensitivityInFile("Pad.qvp"), 4321);
    EXPECT_EQ(Current().profileName, "Zed");
    EXPECT_EQ(Current().stored.settings.sensitivity, 2222);
    // The new device range 0..255 centres X at 127: the far left of the old range is at rest.
    Current().stored.ActionTable[KeyIndex(Column::Normal, DirectionEvent(3))] = 25;  // Escape
    recording::JoystickAt(0).state = {0, 32767, 0};
    Current().Poll();
    EXPECT_TRUE(recording::TakeInput().empty());
}

TEST_F(SelectProfile, ChoosingOrAddingAProfileRetimesThePollsToItsPollingDelay) {
    ProfileHeader fast;
    fast.settings.pollingDelay = 5;
    fast.buttonCount = 32;
    recording::Files()[Dir + "Fast.qvp"] = EncodeProfile(fast, ActionEntries{}, nullptr, 0);
    Current().StartPolling();  // at Pad's 50 ms
    recording::Calls().clear();
    manager.Refresh();
    ASSERT_TRUE(manager.Select(FirstProfileCommand));
    ASSERT_EQ(manager.Add("New").result, AddResult::Added);  // a new profile polls at 50 ms
    std::vector<recording::Call> timers;
    for (const recording::Call& call : recording::Calls()) {
        if (call.kind == recording::CallKind::TimerStart) timers.push_back(call);
    }
    EXPECT_EQ(timers, (std::vector<recording::Call>{{recording::CallKind::TimerStart, 0, 5},
                                                    {recording::CallKind::TimerStart, 0, 50}}));
}

TEST_F(AddProfile, AnExistingNameInAnyLetterCaseWithOrWithoutExtensionSelectsThatProfile) {
    AddFile("Zed.qvp", 2222);
    const struct {
        const char *typed, *name;
        int32_t sensitivity;
    } cases[] = {{"Zed.QVP", "Zed", 2222}, {"zed", "Zed", 2222}, {"Pad.qvp", "Pad", 1111}};
    for (const auto& c : cases) {
        EXPECT_EQ(manager.Add(c.typed).result, AddResult::Added);
        EXPECT_EQ(manager.CurrentName(), c.name);
        EXPECT_EQ(Current().stored.settings.sensitivity, c.sensitivity);
    }
    EXPECT_EQ(recording::Files().size(), 2u);  // nothing created
}

TEST_F(AddProfile, ANewNameKeepsTheMappingsWithDefaultSettingsAndTheOldFileKeepsItsOwn) {
    Current().stored.ActionTable[7] = 23;
    Current().stored.settings.sensitivity = 4321;  // an unsaved slider change
    Current().modified = true;
    ASSERT_EQ(manager.Add("New").result, AddResult::Added);
    EXPECT_EQ(SensitivityInFile("New.qvp"), 6000);
    EXPECT_EQ(SensitivityInFile("Pad.qvp"), 1111);
    EXPECT_EQ(Current().stored.ActionTable[7], 23);
    EXPECT_EQ(Items(), (Names{"New", "Pad"}));
}

TEST_F(AddProfile, ADamagedFileLeavesTheJoystickOnItsProfileWithItsPendingEdits) {
    const std::vector<uint8_t> broken(40, 0xFF);
    recording::Files()[Dir + "Broken.qvp"] = broken;
    Current().stored.settings.threshold = 2500;  // a slider moved, not saved yet
    Current().modified = true;

    manager.Add("Broken");
    EXPECT_EQ(manager.CurrentName(), "Pad");
    ASSERT_EQ(state.notices.size(), 1u);
    EXPECT_EQ(state.notices[0].text, DamagedProfileMessage(Dir + "Broken.qvp", "Pad").text);
    // Hide saves the edit into Pad.qvp; the refused file is never written.
    EXPECT_EQ(Current().Save(), SaveResult::Saved);
    EXPECT_EQ(recording::Files().at(Dir + "Broken.qvp"), broken);
    ProfileHeader header;
    DecodeProfileHeader(recording::Files().at(Dir + "Pad.qvp"), header);
    EXPECT_EQ(header.settings.threshold, 2500);
}

TEST_F(AddProfile, AnEmptyTextIsIgnoredAndNamesNoFileCanHaveAreRefused) {
    recording::Calls().clear();
    EXPECT_EQ(manager.Add("").result, AddResult::Ignored);
    const struct {
        std::string typed;
        MessageText expected;
    } refused[] = {
        {".QVP", EmptyProfileNameMessage()},
        {"   ", EmptyProfileNameMessage()},
        {" .qvp", EmptyProfileNameMessage()},
        {"a*b", ForbiddenCharacterMessage()},
        {"..\\Pad", ForbiddenCharacterMessage()},
        {"tab\there", ForbiddenCharacterMessage()},
        {std::string(248, 'n'), ProfileNameTooLongMessage()},  // 4 + 248 + 4 > 255
        {"con", DeviceNameMessage("con")},
        {"Lpt1.old", DeviceNameMessage("Lpt1.old")},
        {"NUL .qvp", DeviceNameMessage("NUL ")},
    };
    for (const auto& c : refused) {
        const AddOutcome outcome = manager.Add(c.typed);
        EXPECT_EQ(outcome.result, AddResult::Refused) << c.typed;
        EXPECT_EQ(outcome.refusal.text, c.expected.text) << c.typed;
    }
    EXPECT_EQ(Current().profileName, "Pad");
    EXPECT_TRUE(recording::Calls().empty());
    EXPECT_EQ(manager.Add("Console").result, AddResult::Added);
}

TEST_F(AddProfile, NamesDifferingOnlyInTheSecondByteOfADoubleByteCharacterAreTwoProfiles) {
    // 0x82 leads a double-byte character; "A" (0x41) and "a" (0x61) are its second byte.
    const std::string upper = "\x82\x41", lower = "\x82\x61";
    AddFile(upper + ".qvp", 2222);
    ASSERT_EQ(manager.Add(lower).result, AddResult::Added);
    EXPECT_EQ(manager.CurrentName(), lower);
    EXPECT_EQ(Current().stored.settings.sensitivity, 6000);
    EXPECT_EQ(SensitivityInFile(upper + ".qvp"), 2222);
    EXPECT_EQ(Items(), (Names{"Pad", upper, lower}));
}

TEST_F(DeleteProfile, TheProfileInUseLeavesTheListAndComesBackAtItsNextSave) {
    AddFile("Zed.qvp", 2222);
    recording::SetShellHidesExtensions(true);
    manager.Refresh();
    ASSERT_EQ(manager.DeleteChoices(), (Names{"Pad", "Zed"}));
    EXPECT_FALSE(manager.Delete("Nothing"));
    ASSERT_TRUE(manager.Delete("Pad"));
    EXPECT_EQ(Items(), Names{"Zed"});
    EXPECT_EQ(recording::Files().count(Dir + "Pad.qvp"), 0u);
    EXPECT_EQ(manager.CurrentName(), "Pad");
    Current().stored.settings.sensitivity = 4321;
    Current().modified = true;
    ASSERT_EQ(Current().Save(), SaveResult::Saved);
    EXPECT_EQ(SensitivityInFile("Pad.qvp"), 4321);
}

}  // namespace
