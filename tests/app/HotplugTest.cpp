// Joysticks arriving and leaving after start, the selector's list, and the pause switch.
#include "app/EnableChoice.h"
#include "app/Hotplug.h"
#include "profiles/ProfileFile.h"
#include "profiles/ProfileManager.h"
#include "tests/app/ShellFixture.h"

using namespace shelltest;
using recording::Call;

namespace {

class Hotplug : public ShellTest {
  protected:
    // From now on only these joysticks answer; the program then looks again.
    PresenceChange Answer(std::initializer_list<int> present) {
        for (int id = 0; id < MaxJoysticks; ++id) recording::JoystickAt(id).answers = false;
        for (int id : present) recording::JoystickAt(id).answers = true;
        return UpdatePresence(state, DiscoverJoysticks());
    }

    // Button 2 of joystick `id` types Enter, and is held for one poll.
    void HoldEnter(int id) {
        state.profiles[id]->stored.ActionTable[KeyIndex(Column::Normal, ButtonEvent(2))] = 23;
        recording::JoystickAt(id).state.buttons = 2;
        state.profiles[id]->Poll();
    }
};

}  // namespace

TEST_F(Hotplug, ArrivingJoysticksLoadTheirNamedOrTheDefaultProfileAndPollWhenEnabled) {
    Start({2}, 0x0024);  // 2 and 5 enabled
    state.configuredNames[9].clear();
    Forget();
    const PresenceChange change = Answer({2, 5, 9});
    EXPECT_EQ(change.arrived, 0x0220);
    EXPECT_FALSE(change.currentChanged);
    EXPECT_EQ(state.profiles[5]->profileName, "P5");
    EXPECT_EQ(state.profiles[9]->profileName, "Default");
    EXPECT_EQ(TimerCalls(), (std::vector<Call>{TimerStart(5, 50)}));
    EXPECT_EQ(SelectorJoysticks(state), (std::vector<int>{2, 5, 9}));
    EXPECT_EQ(state.CurrentJoystick, 2);
}

TEST_F(Hotplug, LeavingJoystickReleasesItsKeyStopsAndKeepsProfileAndBitForItsReturn) {
    Start({0, 1}, 0x0003);
    HoldEnter(1);
    state.profiles[1]->profileName = "Renamed";
    Forget();
    EXPECT_EQ(Answer({0}).left, 0x0002);
    EXPECT_EQ(recording::Calls(), (std::vector<Call>{recording::KeyUp(0x0D), TimerStop(1)}));
    EXPECT_EQ(SelectorJoysticks(state), (std::vector<int>{0}));
    EXPECT_EQ(state.EnabledMask, 0x0003);
    ASSERT_TRUE(SaveConfiguration(state));
    EXPECT_EQ(recording::Files()[ConfigPath][4], 0x03);

    Forget();
    Answer({0, 1});
    EXPECT_EQ(state.profiles[1]->profileName, "Renamed");
    EXPECT_EQ(TimerCalls(), (std::vector<Call>{TimerStart(1, 50)}));
}

TEST_F(Hotplug, CurrentJoystickLeavingIsSavedAndTheLowestPresentOneBecomesCurrent) {
    Start({1, 4, 6});
    state.profiles[1]->modified = true;
    Forget();
    EXPECT_TRUE(Answer({4, 6}).currentChanged);
    EXPECT_EQ(recording::WrittenPaths(), (std::vector<std::string>{ProfilePath("P1")}));
    EXPECT_EQ(state.CurrentJoystick, 4);
}

TEST_F(Hotplug, WithNoJoystickLeftNoneIsCurrentUntilOneArrives) {
    Start({3});
    Answer({});
    EXPECT_EQ(CurrentProfile(state), nullptr);
    EXPECT_TRUE(SelectorJoysticks(state).empty());
    EXPECT_EQ(TrayTip(state), "Quorvel - waiting for a joystick");
    EXPECT_TRUE(Answer({7}).currentChanged);
    EXPECT_EQ(CurrentProfile(state)->profileName, "P7");
    EXPECT_EQ(TrayTip(state), "Quorvel");
}

TEST_F(Hotplug, StartWithoutJoystickPollsTheFirstEnabledArrival) {
    Start({}, 0x0004);
    EXPECT_FALSE(started);
    Answer({1, 2});
    EXPECT_EQ(state.CurrentJoystick, 1);
    EXPECT_EQ(TimerCalls(), (std::vector<Call>{TimerStart(2, 50)}));
}

TEST_F(Hotplug, PauseReleasesEveryHeldKeyAndNothingPollsUntilUnpaused) {
    Start({0, 1});
    HoldEnter(0);
    HoldEnter(1);
    Forget();
    SetPaused(state, true);
    EXPECT_EQ(recording::Calls(), (std::vector<Call>{recording::KeyUp(0x0D), TimerStop(0),
                                                     recording::KeyUp(0x0D), TimerStop(1)}));
    EXPECT_EQ(TrayTip(state), "Quorvel - paused");
    Forget();
    Answer({0, 1, 2});
    EnableChoice(state).WriteBack(state);
    state.profiles[0]->ApplyPollingDelay(10);
    EXPECT_TRUE(TimerCalls().empty());
    SetPaused(state, false);
    EXPECT_EQ(TimerCalls(),
              (std::vector<Call>{TimerStart(0, 10), TimerStart(1, 50), TimerStart(2, 50)}));
}

TEST_F(Hotplug, APadWithOtherButtonsArrivingUnderAKeptProfileLoadsItAfreshAndItsFileStaysWhole) {
    recording::JoystickAt(0).caps.numButtons = 16;
    Start({0});
    state.profiles[0]->stored.SetAction(1, ButtonEvent(16), 23);  // Enter on button 16
    state.profiles[0]->modified = true;
    Answer({});  // saved as it leaves, with its 16 buttons
    const std::vector<uint8_t> sixteen = recording::Files().at(ProfilePath("P0"));
    recording::JoystickAt(0).caps.numButtons = 10;
    Answer({0});
    EXPECT_EQ(state.profiles[0]->profileName, "P0(10)");
    EXPECT_EQ(state.notices.back().text, ButtonCountChangedMessage(1, "P0(10)").text);
    state.profiles[0]->stored.settings.threshold = 2000;
    state.profiles[0]->modified = true;
    ASSERT_TRUE(SaveOnExit(state));
    EXPECT_EQ(recording::Files().at(ProfilePath("P0")), sixteen);
    ProfileHeader backup;
    ASSERT_EQ(DecodeProfileHeader(recording::Files().at(ProfilePath("P0(10)")), backup),
              ProfileDecodeError::None);
    EXPECT_EQ(backup.buttonCount, 10);
    EXPECT_EQ(backup.settings.threshold, 2000);
}

TEST_F(Hotplug, APadWhoseCapabilitiesCannotBeReadIsNotTakenAsArrivedUntilTheyCan) {
    Start({0});
    recording::JoystickAt(3).capsAnswer = false;
    Forget();
    EXPECT_EQ(Answer({0, 3}).arrived, 0);
    EXPECT_FALSE(state.profiles[3]);
    EXPECT_TRUE(recording::WrittenPaths().empty());
    recording::JoystickAt(3).capsAnswer = true;
    EXPECT_EQ(Answer({0, 3}).arrived, 0x0008);
    EXPECT_EQ(state.profiles[3]->profileName, "P3");
}

TEST_F(Hotplug, WithNoJoystickLeftTheProfileCommandsHaveNothingToActOnAndChangeNothing) {
    Start({0});
    ProfileManager manager(state);
    EXPECT_TRUE(manager.HasJoystick());
    Answer({});
    Forget();
    EXPECT_FALSE(manager.HasJoystick());
    manager.Refresh();
    EXPECT_FALSE(manager.Select(FirstProfileCommand));
    EXPECT_EQ(manager.Add("New").result, AddResult::Ignored);
    EXPECT_TRUE(recording::WrittenPaths().empty());
    EXPECT_EQ(state.profiles[0]->profileName, "P0");
}

TEST_F(Hotplug, PadsOfTwoButtonCountsTakingTurnsEachFindTheirOwnFileWithoutAChainOfBackups) {
    recording::JoystickAt(0).caps.numButtons = 16;
    Start({0});
    Answer({});
    recording::JoystickAt(0).caps.numButtons = 10;
    Answer({0});
    ASSERT_EQ(state.profiles[0]->profileName, "P0(10)");
    Answer({});
    recording::JoystickAt(0).caps.numButtons = 16;
    Answer({0});
    EXPECT_EQ(state.profiles[0]->profileName, "P0");
    Answer({});
    recording::JoystickAt(0).caps.numButtons = 10;
    Answer({0});
    EXPECT_EQ(state.profiles[0]->profileName, "P0(10)");  // the backup made before, loaded
    EXPECT_EQ(recording::Files().count(ProfilePath("P0(10)(16)")), 0u);
}

TEST_F(Hotplug, AProfileChosenByHandStaysNamedWhenDefaultStandsInForItAtThePadsReturn) {
    Start({0});
    recording::Files()[ProfilePath("Foo")] = recording::Files().at(ProfilePath("P0"));
    ProfileManager manager(state);
    manager.Refresh();
    ASSERT_TRUE(manager.Select(FirstProfileCommand));  // "Foo", first in the list
    ASSERT_EQ(state.profiles[0]->profileName, "Foo");
    Answer({});
    recording::Files()[ProfilePath("Foo")] = {1, 2, 3};  // damaged meanwhile
    Answer({0});
    EXPECT_EQ(state.profiles[0]->profileName, "Default");
    ASSERT_TRUE(SaveConfiguration(state));
    ConfigurationData saved;
    DecodeConfiguration(recording::Files()[ConfigPath], saved);
    EXPECT_EQ(saved.records[0].profileName, "Foo");
}
