// The autostart entry: its exact value, the 256-byte limit, and which Run key takes it.
#include <gtest/gtest.h>

#include "app/Autostart.h"
#include "app/ShellMessages.h"
#include "platform/recording/RecordingPlatform.h"

namespace {

using platform::RunKey;

class Autostart : public ::testing::Test {
  protected:
    Autostart() { recording::Reset(); }
    static std::map<std::string, std::string>& Machine() {
        return recording::RunValues(RunKey::Machine);
    }
    static std::map<std::string, std::string>& User() { return recording::RunValues(RunKey::User); }
};

}  // namespace

TEST(AutostartValue, IsTheQuotedLowerCasedPathThenHide) {
    EXPECT_EQ(AutostartValue("C:\\Program Files\\Quorvel\\Quorvel.EXE"),
              "\"c:\\program files\\quorvel\\quorvel.exe\" /hide");
}

TEST(AutostartValue, APathOf247CharactersIsTheLongestThatFits) {
    const std::string longest = "C:\\" + std::string(240, 'A') + ".exe";  // 247 characters
    const std::optional<std::string> value = AutostartValue(longest);
    ASSERT_TRUE(value);
    EXPECT_EQ(value->size(), 255u);  // 256 bytes with its NUL
    EXPECT_EQ(*value, "\"c:\\" + std::string(240, 'a') + ".exe\" /hide");
    EXPECT_FALSE(AutostartValue("C:\\" + std::string(241, 'A') + ".exe"));
    EXPECT_FALSE(AutostartValue(""));
}

TEST(AutostartValue, APathWithDoubleByteCharactersKeepsItsLetterCase) {
    // 0x83 0x41 is one Shift-JIS character whose second byte is the code of 'A'.
    EXPECT_EQ(AutostartValue("C:\\\x83\x41\\Q.exe"), "\"C:\\\x83\x41\\Q.exe\" /hide");
}

TEST_F(Autostart, GoesUnderTheMachinesRunKeyWhenItCanBeWritten) {
    User()["Quorvel"] = "\"c:\\old\\quorvel.exe\" /hide";  // left by an earlier start
    EXPECT_EQ(ApplyLaunchOnStartup(1), AutostartResult::Applied);
    EXPECT_EQ(Machine()["Quorvel"], "\"c:\\q\\quorvel.exe\" /hide");
    EXPECT_TRUE(User().empty());
    EXPECT_TRUE(recording::Messages().empty());
}

TEST_F(Autostart, GoesUnderTheUsersRunKeyWhenTheMachinesIsClosed) {
    recording::SetRunKeyWritable(RunKey::Machine, false);
    EXPECT_EQ(ApplyLaunchOnStartup(1), AutostartResult::Applied);
    EXPECT_TRUE(Machine().empty());
    EXPECT_EQ(User()["Quorvel"], "\"c:\\q\\quorvel.exe\" /hide");
    EXPECT_TRUE(recording::Messages().empty());
}

TEST_F(Autostart, AnEntryUnderTheMachinesKeyItCannotRewriteStaysTheOnlyOne) {
    Machine()["Quorvel"] = "\"c:\\q\\quorvel.exe\" /hide";  // set by an administrator
    User()["Quorvel"] = "\"c:\\q\\quorvel.exe\" /hide";
    recording::SetRunKeyWritable(RunKey::Machine, false);
    EXPECT_EQ(ApplyLaunchOnStartup(1), AutostartResult::Applied);
    EXPECT_TRUE(User().empty());  // one start at logon, not two
    EXPECT_TRUE(recording::Messages().empty());
}

TEST_F(Autostart, SwitchingOffWhatCannotBeRemovedShowsTheErrorOnlyWhenClicked) {
    Machine()["Quorvel"] = "a";
    User()["Quorvel"] = "b";
    recording::SetRunKeyWritable(RunKey::Machine, false);
    const AutostartResult atStart = ApplyLaunchOnStartup(0);
    EXPECT_EQ(atStart, AutostartResult::LeftInForce);
    EXPECT_TRUE(User().empty());
    EXPECT_FALSE(AutostartMessage(atStart, false));

    ApplicationState state(ProgramContext{"C:\\Q\\", PlatformWindowsNt});
    state.LaunchOnStartup = 1;
    const std::optional<MessageText> message = AutostartMessage(ToggleLaunchOnStartup(state), true);
    ASSERT_TRUE(message);
    EXPECT_EQ(message->text, "Couldn't set registry value");
    EXPECT_EQ(Machine()["Quorvel"], "a");
}

TEST_F(Autostart, NeitherKeyWritableShowsTheError) {
    recording::SetRunKeyWritable(RunKey::Machine, false);
    recording::SetRunKeyWritable(RunKey::User, false);
    const std::optional<MessageText> message = AutostartMessage(ApplyLaunchOnStartup(1), false);
    ASSERT_TRUE(message);
    EXPECT_EQ(message->text, "Couldn't set registry value");
    EXPECT_EQ(message->title, "Error");
    EXPECT_EQ(message->icon, platform::MessageIcon::Error);
    EXPECT_TRUE(message->owned);
}

TEST_F(Autostart, ATooLongPathShowsTheErrorAndStoresNothing) {
    recording::SetExecutablePath("C:\\" + std::string(300, 'x') + "\\Quorvel.exe");
    const AutostartResult result = ApplyLaunchOnStartup(1);
    EXPECT_EQ(result, AutostartResult::NotStored);
    EXPECT_TRUE(AutostartMessage(result, false));
    EXPECT_TRUE(Machine().empty());
    EXPECT_TRUE(User().empty());
}

TEST_F(Autostart, SwitchingOffDeletesFromBothKeysSilently) {
    Machine()["Quorvel"] = "a";
    User()["Quorvel"] = "b";
    Machine()["Other"] = "c";
    EXPECT_EQ(ApplyLaunchOnStartup(0), AutostartResult::Applied);
    EXPECT_EQ(Machine(), (std::map<std::string, std::string>{{"Other", "c"}}));
    EXPECT_TRUE(User().empty());

    recording::SetRunKeyWritable(RunKey::Machine, false);
    recording::SetRunKeyWritable(RunKey::User, false);
    EXPECT_FALSE(AutostartMessage(ApplyLaunchOnStartup(0), true));
}

TEST_F(Autostart, TogglingTwiceWritesThenDeletesWithoutSavingTheConfiguration) {
    ApplicationState state(ProgramContext{"C:\\Q\\", PlatformWindowsNt});
    ToggleLaunchOnStartup(state);
    EXPECT_EQ(state.LaunchOnStartup, 1);
    EXPECT_EQ(Machine().count("Quorvel"), 1u);
    ToggleLaunchOnStartup(state);
    EXPECT_EQ(state.LaunchOnStartup, 0);
    EXPECT_TRUE(Machine().empty());
    EXPECT_TRUE(recording::WrittenPaths().empty());
}
