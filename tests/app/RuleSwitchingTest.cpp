// Application rules at work: the joysticks follow the application in front, the own profile
// stays in Quorvel.cfg, held input is let go, and problems are told in balloons, never boxes.
#include "app/Hotplug.h"
#include "app/RulesInForce.h"
#include "profiles/ProfileFile.h"
#include "profiles/ProfileManager.h"
#include "tests/app/ShellFixture.h"

using namespace shelltest;
using recording::Call;
using recording::KeyDown;
using recording::KeyUp;

namespace {

const std::string RulesPath = "C:\\Q\\Quorvel.rules";
constexpr int32_t F1Choice = 34, F2Choice = 35;
constexpr int VkF1 = 0x70, VkF2 = 0x71;
// A re-firing key at a poll that finds its button down: let go of, then pressed again.
std::vector<Call> Fired(int vk) { return {KeyUp(vk), KeyDown(vk)}; }

const std::string Notepad = "C:\\Windows\\notepad.exe";
const std::string Game = "D:\\Games\\racer.exe";
const std::string Other = "C:\\Tools\\calc.exe";

// Notepad's rule switches joystick 1 to Editing; every joystick is off in front of a game.
const char* const TwoRules =
    "[Writing]\r\nprogram = notepad.exe\r\njoystick = 1\r\nprofile = Editing\r\n"
    "[Games]\r\nprogram = D:\\Games\\*\r\noff = yes\r\n";

class RuleSwitching : public ShellTest {
  protected:
    // A profile file for the 32-button recording joysticks, button 1 mapped to `keyChoice`.
    static void WriteProfile(const std::string& name, int32_t keyChoice) {
        StoredProfile profile;
        profile.ActionTable[KeyIndex(Column::Normal, ButtonEvent(1))] = keyChoice;
        recording::Files()[ProfilePath(name)] = EncodeProfile(profile, 32);
    }
    // Writes the rules file; a new `time` stands for a new write.
    static void WriteRules(const std::string& text, uint64_t time) {
        recording::Files()[RulesPath] = std::vector<uint8_t>(text.begin(), text.end());
        recording::FileTimes()[RulesPath] = time;
    }
    // P0 and P1 type F1, Editing types F2; joysticks 1 and 2 present; the rules read.
    void StartWithRules(const std::string& text = TwoRules) {
        WriteProfile("P0", F1Choice);
        WriteProfile("P1", F1Choice);
        WriteProfile("Editing", F2Choice);
        WriteRules(text, 1);
        Start({0, 1});
        rules.CheckFile(state);
        Forget();
    }
    uint16_t Front(const std::string& path, const std::string& title = "") {
        return rules.SeeFront(state, {true, path, title});
    }
    // One poll of joystick `id` with these buttons down; returns the input it sent.
    std::vector<Call> Poll(int id, uint32_t buttons) {
        recording::JoystickAt(id).state.buttons = buttons;
        state.profiles[id]->Poll();
        return recording::TakeInput();
    }
    std::string Name(int id) const { return state.profiles[id]->profileName; }
    std::string SavedName(int id) {
        EXPECT_TRUE(SaveConfiguration(state));
        ConfigurationData data;
        DecodeConfiguration(recording::Files()[ConfigPath], data);
        return data.records[static_cast<size_t>(id)].profileName;
    }

    RulesInForce rules;
};

}  // namespace

TEST_F(RuleSwitching, ProfileRuleSwitchesOnlyTheJoysticksItNamesAndOwnComesBack) {
    StartWithRules();
    EXPECT_EQ(Front(Notepad), 0x0001);
    EXPECT_EQ(Name(0), "Editing");
    EXPECT_EQ(Name(1), "P1");
    EXPECT_EQ(Front(Other), 0x0001);
    EXPECT_EQ(Name(0), "P0");
    EXPECT_EQ(state.ruleInForce[0], RuleDecision{});
}

TEST_F(RuleSwitching, ConfigurationKeepsTheOwnProfileAndTheOutgoingChangesAreSaved) {
    StartWithRules();
    state.profiles[0]->modified = true;
    Front(Notepad);
    EXPECT_EQ(recording::WrittenPaths(), (std::vector<std::string>{ProfilePath("P0")}));
    EXPECT_EQ(SavedName(0), "P0");
    // An absent joystick never named takes the own profile of the nearest one below.
    state.profiles[1].reset();
    state.configuredNames[1].clear();
    EXPECT_EQ(SavedName(1), "P0");
    Forget();
    state.profiles[0]->modified = true;  // the profile in force, edited in the main window
    Front(Other);
    EXPECT_EQ(recording::WrittenPaths(), (std::vector<std::string>{ProfilePath("Editing")}));
    EXPECT_EQ(SavedName(0), "P0");
}

TEST_F(RuleSwitching, HeldKeyIsLetGoAtTheSwitchAndTheHeldButtonWaitsForItsRelease) {
    StartWithRules();
    EXPECT_EQ(Poll(0, 1), Fired(VkF1));
    Front(Notepad);
    EXPECT_EQ(recording::TakeInput(), (std::vector<Call>{KeyUp(VkF1)}));
    EXPECT_TRUE(Poll(0, 1).empty());
    EXPECT_TRUE(Poll(0, 0).empty());
    EXPECT_EQ(Poll(0, 1), Fired(VkF2));
}

TEST_F(RuleSwitching, OffMutesEveryJoystickAndKeepsItsProfileUntilTheRuleEnds) {
    StartWithRules();
    Poll(1, 1);
    EXPECT_EQ(Front(Game), 0x0003);
    EXPECT_EQ(recording::TakeInput(), (std::vector<Call>{KeyUp(VkF1)}));
    EXPECT_TRUE(Poll(1, 0).empty());
    EXPECT_TRUE(Poll(1, 1).empty());
    EXPECT_EQ(Name(1), "P1");
    Front(Other);
    EXPECT_FALSE(state.profiles[1]->IsMuted());
    EXPECT_TRUE(Poll(1, 1).empty());  // still held since the mute
    Poll(1, 0);
    EXPECT_EQ(Poll(1, 1), Fired(VkF1));
}

TEST_F(RuleSwitching, OnlyANewProgramOrATitleSomeRuleWatchesDecidesAgain) {
    StartWithRules();
    Front(Notepad, "a.txt");
    state.profiles[0]->Load("P0");  // as if switched behind the rules' back
    EXPECT_EQ(Front(Notepad, "b.txt"), 0);
    EXPECT_EQ(Name(0), "P0");

    WriteRules(std::string(TwoRules) + "[Mail]\r\nprogram = *\r\ntitle = *Inbox*\r\noff = yes\r\n",
               2);
    rules.CheckFile(state);
    EXPECT_EQ(Front(Other, "Inbox - Mail"), 0x0003);
    EXPECT_EQ(state.ruleInForce[1].rule, "Mail");
    EXPECT_EQ(Front(Other, "Drafts - Mail"), 0x0003);
}

TEST_F(RuleSwitching, HandChoiceUnderARuleBecomesTheOwnProfileUntilTheFrontChanges) {
    StartWithRules();
    recording::Files()[ProfilePath("Hand")] = recording::Files()[ProfilePath("P0")];
    Front(Game);
    ProfileManager manager(state);
    manager.Refresh();
    ASSERT_EQ(manager.Entries()[1].profileName, "Hand");
    ASSERT_TRUE(manager.Select(FirstProfileCommand + 1));
    RefreshMuting(state, 0);
    EXPECT_FALSE(state.profiles[0]->IsMuted());
    EXPECT_EQ(SavedName(0), "Hand");
    EXPECT_EQ(TrayTip(state), "Quorvel");
    EXPECT_EQ(Front(Game), 0);  // the same program: nothing changed in front
    EXPECT_EQ(Front("D:\\Games\\other.exe"), 0x0001);
    EXPECT_TRUE(state.profiles[0]->IsMuted());
    Front(Other);
    EXPECT_EQ(Name(0), "Hand");
}

TEST_F(RuleSwitching, RefusedRuleProfileKeepsTheJoystickAndIsToldOncePerVersionInABalloon) {
    StartWithRules();
    recording::Files()[ProfilePath("Editing")] = {1, 2, 3};
    Front(Notepad);
    EXPECT_EQ(Name(0), "P0");
    EXPECT_EQ(TrayTip(state), "Quorvel - Writing");
    EXPECT_TRUE(recording::Messages().empty());
    EXPECT_EQ(rules.TakeBalloon(),
              "Quorvel.rules: line 1: The profile file C:\\Q\\Editing.qvp is damaged and was not "
              "loaded. The joystick uses the profile P0; the file has not been changed.");
    Front(Other);
    Front(Notepad);
    EXPECT_EQ(rules.TakeBalloon(), "");
    WriteRules(std::string("\r\n") + TwoRules, 2);  // a new version: the rule is on line 2
    Front(Other);
    rules.CheckFile(state);
    Front(Notepad);
    EXPECT_NE(rules.TakeBalloon().find("line 2: The profile file"), std::string::npos);
}

TEST_F(RuleSwitching, ProblemsOfTheFileAreToldOnceInAtMostFiveLines) {
    std::string text;
    for (int i = 0; i < 7; ++i) text += "bad line\r\n";
    StartWithRules(text);
    const std::string balloon = rules.TakeBalloon();
    EXPECT_EQ(std::count(balloon.begin(), balloon.end(), '\n'), 4);
    EXPECT_EQ(balloon.substr(0, balloon.find('\n')).substr(0, 22), "Quorvel.rules: line 1:");
    EXPECT_EQ(balloon.substr(balloon.rfind('\n') + 1), "and 3 more");
    recording::FileTimes()[RulesPath] = 5;  // saved again, unchanged
    EXPECT_EQ(rules.CheckFile(state), 0);
    EXPECT_EQ(rules.TakeBalloon(), "");
}

TEST_F(RuleSwitching, FileOverOneMebibyteIsRefusedWholeAndTheBalloonSaysSo) {
    std::string text = TwoRules;
    text.resize(MaxRulesFileBytes + 1, ';');
    StartWithRules(text);
    EXPECT_FALSE(rules.HasRules());
    EXPECT_EQ(rules.TakeBalloon(), "Quorvel.rules: the file is over 1 MiB, so no rule applies");
    EXPECT_EQ(Front(Notepad), 0);
}

TEST_F(RuleSwitching, ChangedFileDecidesAgainWithTheFrontLastSeenAndRemovedFileGivesOwn) {
    StartWithRules();
    Front(Notepad);
    EXPECT_EQ(rules.CheckFile(state), 0);
    std::string text = TwoRules;
    text.replace(text.find("Editing"), 7, "P1");
    WriteRules(text, 2);
    EXPECT_EQ(rules.CheckFile(state), 0x0001);
    EXPECT_EQ(Name(0), "P1");
    recording::Files().erase(RulesPath);
    EXPECT_EQ(rules.CheckFile(state), 0x0001);
    EXPECT_EQ(Name(0), "P0");
    EXPECT_FALSE(rules.HasRules());
}

TEST_F(RuleSwitching, UnreadableFileKeepsTheRulesAndIsReadOnceItCanBe) {
    StartWithRules();
    recording::UnreadableFiles().insert(RulesPath);
    WriteRules("", 2);
    EXPECT_EQ(rules.CheckFile(state), 0);
    EXPECT_TRUE(rules.HasRules());
    recording::UnreadableFiles().clear();
    rules.CheckFile(state);
    EXPECT_FALSE(rules.HasRules());
}

TEST_F(RuleSwitching, PadArrivingUnderARuleTakesIt) {
    StartWithRules();
    Front(Game);
    for (int id : {0, 1, 2}) recording::JoystickAt(id).answers = true;
    const PresenceChange change = UpdatePresence(state, DiscoverJoysticks());
    EXPECT_EQ(rules.Apply(state, change.arrived), 0x0004);
    EXPECT_TRUE(state.profiles[2]->IsMuted());
}

TEST_F(RuleSwitching, NoticesForAnotherProgramInFrontGoToTheBalloonEveryTime) {
    StartWithRules();
    for (int i = 0; i < 2; ++i) {
        Notices notices{ButtonCountChangedMessage(3, "Pad(12)")};
        rules.TellInBalloon(notices);
        EXPECT_TRUE(notices.empty());
        EXPECT_EQ(rules.TakeBalloon(),
                  "The joystick whose ID is 3 has a different number of buttons. The file Pad(12) "
                  "has been created to backup the old profile.");
    }
}

TEST_F(RuleSwitching, PadBackUnderAnotherIdLoadsItsOwnProfileAndIsDecidedThere) {
    recording::JoystickAt(0).deviceKey = "VID_044F";
    recording::JoystickAt(1).deviceKey = "VID_045E";
    StartWithRules();
    state.padRecords[2].deviceKey = "VID_1234";  // ID 2's record is another pad's
    Front(Notepad);                              // joystick 1 uses Editing
    recording::JoystickAt(0).answers = false;
    UpdatePresence(state, DiscoverJoysticks());
    recording::JoystickAt(2).answers = true;
    recording::JoystickAt(2).deviceKey = "VID_044F";
    const PresenceChange change = UpdatePresence(state, DiscoverJoysticks());
    EXPECT_EQ(Name(2), "P0");
    EXPECT_EQ(rules.Apply(state, change.arrived), 0);  // the rule names joystick 1 alone
    EXPECT_EQ(SavedName(2), "P0");
}

TEST_F(RuleSwitching, RefusedOwnProfileOnTheWayBackLeavesDefaultStandingIn) {
    StartWithRules();
    Front(Notepad);
    recording::Files()[ProfilePath("P0")] = {1, 2, 3};
    Front(Other);
    EXPECT_EQ(Name(0), "Default");
    EXPECT_EQ(SavedName(0), "P0");
    EXPECT_NE(rules.TakeBalloon().find("P0.qvp is damaged"), std::string::npos);
}

TEST_F(RuleSwitching, CheckMarkAndTipFollowTheProfileAndRuleInForceOfTheCurrentJoystick) {
    StartWithRules();
    ProfileManager manager(state);
    Front(Notepad);
    manager.Refresh();
    EXPECT_EQ(manager.Entries()[static_cast<size_t>(manager.CurrentEntry())].profileName,
              "Editing");
    EXPECT_EQ(TrayTip(state), "Quorvel - Writing");
    SetPaused(state, true);
    EXPECT_EQ(TrayTip(state), "Quorvel - paused");
    SetPaused(state, false);
    ChangeJoystick(state, 1);
    EXPECT_EQ(TrayTip(state), "Quorvel");
}

TEST(RulesFileText, NewFileExplainsWithoutARuleAndIsNeverWrittenOver) {
    recording::Reset();
    const std::string text = NewRulesFileText();
    const RuleSet set = ParseRules(std::vector<uint8_t>(text.begin(), text.end()), "C:\\Q\\");
    EXPECT_TRUE(set.rules.empty());
    EXPECT_TRUE(set.problems.empty());
    EXPECT_NE(text.find("[Games that read the pad themselves]"), std::string::npos);

    ASSERT_TRUE(PrepareRulesFile(RulesPath));
    EXPECT_EQ(recording::Files()[RulesPath], std::vector<uint8_t>(text.begin(), text.end()));
    recording::Files()[RulesPath] = {'x'};
    EXPECT_TRUE(PrepareRulesFile(RulesPath));
    EXPECT_EQ(recording::Files()[RulesPath], std::vector<uint8_t>{'x'});
    recording::Files().erase(RulesPath);
    recording::SetFailWrites(true);
    EXPECT_FALSE(PrepareRulesFile(RulesPath));
}

TEST_F(RuleSwitching, ElevatedProgramIsToldOncePerRunOnlyWhenQuorvelIsNotAndInputIsSent) {
    StartWithRules();
    EXPECT_EQ(ElevationNotice(Game, Elevation::Elevated, Elevation::NotElevated),
              "racer.exe runs as administrator, so Windows keeps Quorvel's input from reaching "
              "it. To control it, start Quorvel as administrator.");
    EXPECT_FALSE(ElevationNotice(Game, Elevation::Elevated, Elevation::Elevated));
    EXPECT_FALSE(ElevationNotice(Game, Elevation::Unknown, Elevation::NotElevated));
    EXPECT_FALSE(ElevationNotice(Game, Elevation::Elevated, Elevation::Unknown));

    rules.SeeElevation(state, Other, Elevation::Elevated, Elevation::NotElevated);
    EXPECT_EQ(rules.TakeBalloon().substr(0, 9), "calc.exe ");
    WriteRules("", 2);
    rules.CheckFile(state);
    rules.SeeElevation(state, "c:\\tools\\CALC.EXE", Elevation::Elevated, Elevation::NotElevated);
    EXPECT_EQ(rules.TakeBalloon(), "");
    SetPaused(state, true);
    rules.SeeElevation(state, Game, Elevation::Elevated, Elevation::NotElevated);
    EXPECT_EQ(rules.TakeBalloon(), "");
}

TEST_F(RuleSwitching, TheJoystickOfAnOpenButtonDialogSwitchesOnlyOnceTheDialogHasClosed) {
    StartWithRules();
    SetButtonDialogJoystick(state, 0);
    EXPECT_EQ(Front(Notepad), 0x0000);  // the user's edits stay with the profile they are for
    EXPECT_EQ(Name(0), "P0");
    SetButtonDialogJoystick(state, -1);
    EXPECT_EQ(rules.ApplyDeferred(state, 0), 0x0001);
    EXPECT_EQ(Name(0), "Editing");
    // A choice by hand made while the dialog was open holds until the front changes.
    SetButtonDialogJoystick(state, 0);
    EXPECT_EQ(Front(Other), 0x0000);
    rules.ForgetDeferred(0);
    SetButtonDialogJoystick(state, -1);
    EXPECT_EQ(rules.ApplyDeferred(state, 0), 0x0000);
    EXPECT_EQ(Name(0), "Editing");
}

TEST_F(RuleSwitching, ARuleNamingAProfileWithoutAFileCreatesNothingAndSaysSo) {
    StartWithRules("[Typo]\r\nprogram = notepad.exe\r\nprofile = Editnig\r\n");
    Front(Notepad);
    EXPECT_EQ(Name(0), "P0");
    EXPECT_EQ(recording::Files().count(ProfilePath("Editnig")), 0u);
    EXPECT_NE(rules.TakeBalloon().find("line 1: no profile Editnig"), std::string::npos);
}

TEST(RuleWatching, TheTaskbarAndTheIconsOverflowAreNoApplicationInFront) {
    EXPECT_TRUE(IsTaskbarWindow("Shell_TrayWnd"));
    EXPECT_TRUE(IsTaskbarWindow("NotifyIconOverflowWindow"));
    EXPECT_FALSE(IsTaskbarWindow("Notepad"));
}
