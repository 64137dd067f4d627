// What the main control window's commands write, in which order, and what they release.
#include "tests/app/ShellFixture.h"

using namespace shelltest;

namespace {

constexpr int32_t EnterChoice = 23;  // KeyChoice of the Enter key
constexpr int VkReturn = 0x0D;

class CommandSaves : public ShellTest {
  protected:
    // Button 1 of joystick `id` types Enter; the button is down at the next poll.
    void HoldEnter(int id) {
        state.profiles[id]->stored.ActionTable[KeyIndex(Column::Normal, ButtonEvent(1))] =
            EnterChoice;
        recording::JoystickAt(id).state.buttons = 1;
        state.profiles[id]->Poll();
    }
};

using Paths = std::vector<std::string>;

}  // namespace

TEST_F(CommandSaves, ExitWritesTheModifiedProfileThenTheConfiguration) {
    Start({0});
    Forget();
    state.profiles[0]->modified = true;
    SaveOnExit(state);
    EXPECT_EQ(recording::WrittenPaths(), (Paths{ProfilePath("P0"), ConfigPath}));
}

TEST_F(CommandSaves, ExitWithAnUnchangedProfileWritesOnlyTheConfiguration) {
    Start({0});
    Forget();
    SaveOnExit(state);
    EXPECT_EQ(recording::WrittenPaths(), (Paths{ConfigPath}));
}

TEST_F(CommandSaves, ASecondExitWritesNothingSoTheNamesInUseStay) {
    Start({0});
    state.profiles[0]->profileName = "Other";  // added since the start
    state.profiles[0]->modified = true;
    Forget();
    EXPECT_TRUE(SaveOnExit(state));
    // The main control window's destruction, then an Exit that was already on its way.
    DeleteProfiles(state);
    EXPECT_FALSE(SaveOnExit(state));
    EXPECT_EQ(recording::WrittenPaths(), (Paths{"C:\\Q\\Other.qvp", ConfigPath}));
    ConfigurationData written;
    DecodeConfiguration(recording::Files()[ConfigPath], written);
    EXPECT_EQ(written.records[0].profileName, "Other");
}

TEST_F(CommandSaves, HidingWritesTheConfigurationThenTheProfile) {
    Start({0});
    Forget();
    state.profiles[0]->modified = true;
    EXPECT_EQ(ToggleMainWindow(state, true), "Show main window");
    EXPECT_EQ(recording::WrittenPaths(), (Paths{ConfigPath, ProfilePath("P0")}));
}

TEST_F(CommandSaves, ShowingWritesOnlyTheConfiguration) {
    Start({0});
    Forget();
    state.profiles[0]->modified = true;
    EXPECT_EQ(ToggleMainWindow(state, false), "Hide main window");
    EXPECT_EQ(recording::WrittenPaths(), (Paths{ConfigPath}));
    EXPECT_TRUE(state.profiles[0]->modified);
}

TEST_F(CommandSaves, ChangingJoystickWritesOnlyThePreviousModifiedProfile) {
    Start({0, 1});
    Forget();
    state.profiles[0]->modified = true;
    state.profiles[1]->modified = true;
    EXPECT_TRUE(ChangeJoystick(state, 1));
    EXPECT_EQ(state.CurrentJoystick, 1);
    EXPECT_EQ(recording::WrittenPaths(), (Paths{ProfilePath("P0")}));
}

TEST_F(CommandSaves, AnAbsentJoystickCannotBecomeCurrent) {
    Start({0, 2});
    Forget();
    state.profiles[0]->modified = true;
    EXPECT_FALSE(ChangeJoystick(state, 1));
    EXPECT_FALSE(ChangeJoystick(state, -1));
    EXPECT_FALSE(ChangeJoystick(state, 16));
    EXPECT_EQ(state.CurrentJoystick, 0);
    EXPECT_TRUE(recording::WrittenPaths().empty());
}

TEST_F(CommandSaves, ExitLeavesNoKeyDown) {
    Start({0, 1});
    HoldEnter(1);
    ASSERT_EQ(recording::TakeInput().back(), recording::KeyDown(VkReturn));
    SaveOnExit(state);
    DeleteProfiles(state);  // the main control window's destruction
    EXPECT_EQ(recording::TakeInput(), (std::vector<recording::Call>{recording::KeyUp(VkReturn)}));
}
