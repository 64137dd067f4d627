// Reading Quorvel.rules, its patterns, and which rule decides for each joystick.
#include <gtest/gtest.h>

#include "profiles/ApplicationRules.h"

namespace {

RuleSet Parse(const std::string& text, const std::string& directory = "C:\\Q\\") {
    return ParseRules(std::vector<uint8_t>(text.begin(), text.end()), directory);
}

// The names of the rules in force and the lines of the problems, in order.
std::string Names(const RuleSet& set) {
    std::string names;
    for (const Rule& rule : set.rules) names += "[" + rule.name + "]";
    return names;
}
std::vector<int> ProblemLines(const RuleSet& set) {
    std::vector<int> lines;
    for (const RuleProblem& problem : set.problems) lines.push_back(problem.line);
    return lines;
}

const char* const Example =
    "; Quorvel.rules: which profile each joystick uses while an application is in front.\n"
    "[Notepad]\nprogram = notepad.exe\nprofile = Editing\n\n"
    "[Racing on pad 2]\nprogram = racer*.exe\njoystick = 2\nprofile = Wheel\n\n"
    "[Games that read the pad themselves]\nprogram = C:\\Games\\*\noff = yes\n";

std::string Decide(const RuleSet& set, int id, const std::string& path,
                   const std::string& title = "") {
    const RuleDecision d = DecideRule(set, id, {true, path, title});
    if (d.action == RuleAction::Own) return "own";
    return (d.action == RuleAction::Off ? "off" : "profile " + d.profile) + " [" + d.rule + "]";
}

}  // namespace

TEST(RulesFile, ExampleGivesItsThreeRulesInFileOrder) {
    const RuleSet set = Parse(Example);
    EXPECT_TRUE(set.problems.empty());
    ASSERT_EQ(Names(set), "[Notepad][Racing on pad 2][Games that read the pad themselves]");
    EXPECT_EQ(set.rules[1].line, 6);
    EXPECT_EQ(set.rules[1].joysticks, 0x0002);
    EXPECT_EQ(set.rules[1].profile, "Wheel");
    EXPECT_EQ(set.rules[2].joysticks, 0xFFFF);
    EXPECT_EQ(set.rules[2].action, RuleAction::Off);
    EXPECT_FALSE(set.WatchesTitles());
}

TEST(RulesFile, BlanksCrLfKeyCaseAndEqualsInValuesAreRead) {
    const RuleSet set = Parse(
        "\xEF\xBB\xBF \t[ Pad  ]\t\r\n  PROGRAM\t=  a.exe \r\nTitle= x = y \r\n"
        "Profile =Pad.QVP\r\nJOYSTICK = 16,1  3\r\n# comment\r\n");
    ASSERT_EQ(Names(set), "[Pad]");
    EXPECT_TRUE(set.problems.empty());
    EXPECT_EQ(set.rules[0].program, "a.exe");
    EXPECT_EQ(set.rules[0].title, "x = y");
    EXPECT_EQ(set.rules[0].profile, "Pad");
    EXPECT_EQ(set.rules[0].joysticks, 0x8005);
    EXPECT_TRUE(set.WatchesTitles());
}

TEST(RulesFile, ByteOrderMarkCountsOnlyAtTheVeryStart) {
    const RuleSet set = Parse("; x\n\xEF\xBB\xBF[A]\nprogram = a\noff = yes\n");
    EXPECT_EQ(ProblemLines(set), (std::vector<int>{2, 3, 4}));  // its keys precede any rule
    EXPECT_EQ(Names(set), "");
}

TEST(RulesFile, LoneCrRefusesItsRuleButEndsTheLastLine) {
    EXPECT_EQ(ProblemLines(Parse("[A]\nprogram = a\roff = yes\n")), std::vector<int>{2});
    EXPECT_EQ(Names(Parse("[A]\nprogram = a\noff = yes\r")), "[A]");
}

TEST(RulesFile, BadLineBeforeTheFirstRuleIsIgnoredAlone) {
    const RuleSet set = Parse("program = a\njunk\n[A]\nprogram = a\noff = yes\n");
    EXPECT_EQ(ProblemLines(set), (std::vector<int>{1, 2}));
    EXPECT_EQ(Names(set), "[A]");
}

// Each broken rule is followed by a good one that must survive; the problem names the line.
TEST(RulesFile, BrokenRuleIsIgnoredWholeAtItsOffendingLine) {
    const std::string good = "[G]\nprogram = g\noff = yes\n";
    const struct {
        const char* rule;
        int line;
    } cases[] = {
        {"[B]\nprogram = a\nprgram = b\noff = yes\n", 3},        // unknown key
        {"[B]\nprogram = a\nProgram = b\noff = yes\n", 3},       // repeated in another case
        {"[B]\nprofile = P\n", 1},                               // no program
        {"[B]\nprogram = a\noff = no\n", 1},                     // off = no is neither
        {"[B]\nprogram = a\noff = yes\nprofile = P\n", 4},       // both
        {"[B]\nprogram = a\noff = maybe\n", 3},                  //
        {"[B]\nprogram =\noff = yes\n", 2},                      // empty value
        {"[B]\nprogram = a\njoystick = 1,,2\noff = yes\n", 3},   //
        {"[B]\nprogram = a\njoystick = 17\noff = yes\n", 3},     //
        {"[B]\nprogram = a\njoystick = 0\noff = yes\n", 3},      //
        {"[B]\nprogram = a\njoystick = all 2\noff = yes\n", 3},  //
        {"[B]\nprogram = a\nprofile = nul.qvp\n", 3},            // a device's name
        {"[B]\nprogram = a\nprofile = a:b\n", 3},                //
        {"[B]\nprogram = a\nprofile = .qvp\n", 3},               // empty once .qvp is dropped
        {"[]\nprogram = a\noff = yes\n", 1},                     //
        {"[B]\nprogram a\noff = yes\n", 2},                      //
    };
    for (const auto& c : cases) {
        const RuleSet set = Parse(good + c.rule + good);
        EXPECT_EQ(Names(set), "[G][G]") << c.rule;
        EXPECT_EQ(ProblemLines(set), std::vector<int>{c.line + 3}) << c.rule;
    }
}

// "[B" is no rule's start: a line of none of the forms, in the rule above, which it ignores
// together with the keys that follow it.
TEST(RulesFile, AnUnclosedBracketIsABadLineOfTheRuleAbove) {
    const std::string good = "[G]\nprogram = g\noff = yes\n";
    const RuleSet set = Parse(good + "[B\nprogram = b\noff = yes\n" + good);
    EXPECT_EQ(Names(set), "[G]");
    EXPECT_EQ(ProblemLines(set), std::vector<int>{4});
}

TEST(RulesFile, GoodValuesAtTheLimitsAreKept) {
    const std::string name63(63, 'n');
    EXPECT_EQ(Names(Parse("[" + name63 + "]\nprogram = a\noff = YES\njoystick = ALL\n")),
              "[" + name63 + "]");
    EXPECT_EQ(ProblemLines(Parse("[" + name63 + "n]\nprogram = a\noff = yes\n")),
              std::vector<int>{1});
    EXPECT_EQ(Names(Parse("[A]\nprogram = a\noff = no\nprofile = P\n")), "[A]");
    // The profile's file must fit beside the program: 240 + 12 + 4 > 255.
    EXPECT_EQ(Names(Parse("[A]\nprogram = a\nprofile = twelve bytes\n", std::string(240, 'd'))),
              "");
}

TEST(RulesFile, FileOverOneMebibyteIsRefusedWhole) {
    std::string text = "[A]\nprogram = a\noff = yes\n";
    text.resize(MaxRulesFileBytes, ' ');
    EXPECT_EQ(Names(Parse(text)), "[A]");
    text += ' ';
    const RuleSet set = Parse(text);
    EXPECT_EQ(Names(set), "");
    EXPECT_EQ(ProblemLines(set), std::vector<int>{0});
}

TEST(RulePattern, StarsQuestionMarksAndLetterCase) {
    EXPECT_TRUE(MatchesPattern("racer*.exe", "RACER.EXE"));
    EXPECT_TRUE(MatchesPattern("*a*b*c", "xaXbYbZc"));  // the last star grows past a false b
    EXPECT_FALSE(MatchesPattern("*a*b", "ab.exe"));
    EXPECT_TRUE(MatchesPattern("?x.exe", "\xE9x.EXE"));
    EXPECT_FALSE(MatchesPattern("?", ""));
    EXPECT_FALSE(MatchesPattern("a", "ab"));
    EXPECT_TRUE(MatchesPattern("a*", "a*"));
    // The second byte of a two-byte character is not a letter: 0x83 0x41 is not 0x83 0x61.
    EXPECT_FALSE(MatchesPattern("\x83\x41", "\x83\x61"));
}

TEST(RuleDecision, FirstMatchingRuleThatNamesTheJoystickDecides) {
    const RuleSet set = Parse(Example);
    EXPECT_EQ(Decide(set, 0, "C:\\Games\\racer2.exe"), "off [Games that read the pad themselves]");
    EXPECT_EQ(Decide(set, 1, "C:\\Games\\racer2.exe"), "profile Wheel [Racing on pad 2]");
    EXPECT_EQ(Decide(set, 2, "C:\\Games\\Old\\x.exe"), "off [Games that read the pad themselves]");
    EXPECT_EQ(Decide(set, 15, "D:\\notepad.exe"), "profile Editing [Notepad]");
    EXPECT_EQ(Decide(set, 0, "D:\\notepad.exe.bak"), "own");
    EXPECT_EQ(Decide(set, 16, "D:\\notepad.exe"), "own");
}

TEST(RuleDecision, PatternWithBackslashMatchesTheWholePath) {
    const RuleSet set = Parse("[N]\nprogram = *\\notepad.exe\noff = yes\n");
    EXPECT_EQ(Decide(set, 0, "C:\\Windows\\NotePad.exe"), "off [N]");
    EXPECT_EQ(Decide(set, 0, "notepad.exe"), "own");
}

TEST(RuleDecision, TitleMustMatchWholeElseTheNextRuleDecides) {
    const RuleSet set = Parse(
        "[T]\nprogram = *\ntitle = *- Chat\nprofile = Chat\n[E]\nprogram = e.exe\n"
        "profile = Edit\n");
    EXPECT_EQ(Decide(set, 0, "C:\\e.exe", "Doc - chat"), "profile Chat [T]");
    EXPECT_EQ(Decide(set, 0, "C:\\e.exe", "Doc - chat 2"), "profile Edit [E]");
}

TEST(RuleDecision, ProgramNotFoundMatchesOnlyTheBareStar) {
    const RuleSet set = Parse("[A]\nprogram = *.exe\noff = yes\n[B]\nprogram = *\noff = yes\n");
    EXPECT_EQ(DecideRule(set, 0, {false, "", ""}).rule, "B");
}
