// Start-up: which joysticks are found, which one is current, which poll, and the command line.
#include "tests/app/ShellFixture.h"

#include "app/ShellMessages.h"

using namespace shelltest;

namespace {

class StartUp : public ShellTest {};

}  // namespace

TEST_F(StartUp, JoysticksThreeAndFiveMakeTheLowerOneCurrent) {
    Start({2, 4});
    EXPECT_TRUE(started);
    EXPECT_EQ(state.PresentMask, 0x0014);
    EXPECT_EQ(state.CurrentJoystick, 2);
    EXPECT_EQ(CurrentProfile(state)->profileName, "P2");
}

TEST_F(StartUp, EnabledButAbsentJoystickKeepsItsBitAndTheOthersPoll) {
    Start({0, 2}, 0x000B);  // IDs 0, 1 and 3 enabled; 1 and 3 absent
    EXPECT_EQ(state.EnabledMask, 0x000B);
    EXPECT_EQ(TimerCalls(), (std::vector<recording::Call>{TimerStart(0, 50)}));

    // The next configuration save keeps the bits, so that they poll when they arrive.
    ASSERT_TRUE(SaveConfiguration(state));
    const std::vector<uint8_t>& file = recording::Files()[ConfigPath];
    EXPECT_EQ(file[4], 0x0B);
    EXPECT_EQ(file[5], 0x00);
}

TEST_F(StartUp, EveryPresentAndEnabledJoystickPollsInAscendingOrder) {
    Start({1, 3, 9}, 0x020A);  // 1, 3 and 9 enabled
    EXPECT_EQ(TimerCalls(),
              (std::vector<recording::Call>{TimerStart(1, 50), TimerStart(3, 50), TimerStart(9, 50)}));
    EXPECT_EQ(state.EnabledMask, 0x020A);
}

TEST_F(StartUp, PresentButDisabledJoystickDoesNotPoll) {
    Start({0, 5}, 0x0020);
    EXPECT_EQ(state.CurrentJoystick, 0);
    EXPECT_EQ(TimerCalls(), (std::vector<recording::Call>{TimerStart(5, 50)}));
}

TEST_F(StartUp, NoJoystickFailsWithoutStartingOrClearingAnything) {
    Start({}, 0x00FF);
    EXPECT_FALSE(started);
    EXPECT_EQ(CurrentProfile(state), nullptr);
    EXPECT_EQ(state.EnabledMask, 0x00FF);
    EXPECT_TRUE(TimerCalls().empty());
}

TEST(CommandLine, HideInAnyLetterCaseAnywhereStartsHidden) {
    EXPECT_TRUE(AsksToHide("/hide"));
    EXPECT_TRUE(AsksToHide("/HIDE"));
    EXPECT_TRUE(AsksToHide("-HiDe now"));
    EXPECT_TRUE(AsksToHide("unhideable"));
    EXPECT_FALSE(AsksToHide(""));
    EXPECT_FALSE(AsksToHide("/hid e"));
    EXPECT_FALSE(AsksToHide("/show"));
}

TEST(ProgramDirectory, EndsWithTheBackslashBeforeTheFileName) {
    EXPECT_EQ(ProgramDirectoryOf("C:\\Games\\Quorvel\\Quorvel.exe"), "C:\\Games\\Quorvel\\");
    EXPECT_EQ(ProgramDirectoryOf("Quorvel.exe"), "");
}

TEST(ShellMessages, TextsTitlesAndIconsAsUsersSeeThem) {
    const MessageText noJoystick = NoJoystickMessage();
    EXPECT_EQ(noJoystick.text,
              "There is no properly configured joystick.\nThe Progrm cannot run...");
    EXPECT_EQ(noJoystick.title, "Error");
    EXPECT_EQ(noJoystick.icon, platform::MessageIcon::Error);
    EXPECT_TRUE(noJoystick.owned);

    EXPECT_EQ(AnotherInstanceMessage().text, "There is another instance of \"Quorvel\".");
    EXPECT_FALSE(AnotherInstanceMessage().owned);
    EXPECT_EQ(CouldntCreateMainWindowMessage().text, "Couldn't create main window");
    EXPECT_EQ(CouldntCreateMainWindowMessage().icon, platform::MessageIcon::Error);
    EXPECT_EQ(WrongPlatformMessage().text, "Compatible Operating System not found.");
    EXPECT_EQ(WrongPlatformMessage().icon, platform::MessageIcon::None);
}
