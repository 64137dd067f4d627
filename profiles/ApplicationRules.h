// The application rules of Quorvel.rules: which profile each joystick uses while an application
// is in front. Parsing, the patterns and the decision; portable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr const char* RulesFileName = "Quorvel.rules";
// A larger rules file is refused whole.
constexpr size_t MaxRulesFileBytes = 1024 * 1024;

enum class RuleAction { Own, Profile, Off };

struct Rule {
    std::string name;     // between the brackets, trimmed
    int line = 0;         // the line of "[name]", counted from 1
    std::string program;  // pattern
    bool hasTitle = false;
    std::string title;                        // pattern, when hasTitle
    uint16_t joysticks = 0xFFFF;              // bit i: joystick ID i (the user's number i + 1)
    RuleAction action = RuleAction::Profile;  // Profile or Off
    std::string profile;                      // Profile: the profile name, without ".qvp"
};

// A line ignored alone, or the line that makes its rule ignored, and why (one short English
// phrase without a final full stop, e.g. "unknown key \"prgram\"").
struct RuleProblem {
    int line = 0;
    std::string reason;
};

struct RuleSet {
    std::vector<Rule> rules;            // the rules in force, in file order
    std::vector<RuleProblem> problems;  // in line order
    // Whether some rule has a title, so that the window's title must be watched.
    bool WatchesTitles() const;
};

// The rules of a rules file's bytes; never fails: what cannot be used becomes a problem. Bytes
// over MaxRulesFileBytes give no rule and one problem at line 0 (the whole file).
// `programDirectory` (ending with the path separator) is where profile files live, for the
// check of profile names.
RuleSet ParseRules(const std::vector<uint8_t>& bytes, const std::string& programDirectory);

// Whether `text` matches `pattern`: '*' any run of characters (also none), '?' exactly one
// byte, single-byte letters in any case (folded as profile names are), everything else itself.
bool MatchesPattern(const std::string& pattern, const std::string& text);

// What is in front: the program's whole path, when it could be found, and the window's title.
struct Foreground {
    bool programKnown = false;
    std::string programPath;
    std::string title;
};

struct RuleDecision {
    RuleAction action = RuleAction::Own;
    std::string profile;  // Profile: the profile name
    std::string rule;     // the deciding rule's name; empty for Own
    bool operator==(const RuleDecision& other) const {
        return action == other.action && profile == other.profile && rule == other.rule;
    }
    bool operator!=(const RuleDecision& other) const { return !(*this == other); }
};

// The decision for joystick ID `joystickId` (0..15): the first rule whose program matches (a
// pattern with a '\' against the whole path, else against the file name after the last '\'; a
// program that could not be found matches only the pattern "*"), whose title, if any, matches
// the whole title, and that names the joystick; Own when none does.
RuleDecision DecideRule(const RuleSet& rules, int joystickId, const Foreground& front);
