// The application rules: parsing Quorvel.rules, matching patterns and deciding per joystick.
#include "profiles/ApplicationRules.h"

bool RuleSet::WatchesTitles() const {
    for (const Rule& rule : rules) {
        if (rule.hasTitle) return true;
    }
    return false;
}

RuleSet ParseRules(const std::vector<uint8_t>& bytes, const std::string& programDirectory) {
    (void)bytes;
    (void)programDirectory;
    return RuleSet();
}

bool MatchesPattern(const std::string& pattern, const std::string& text) { return pattern == text; }

RuleDecision DecideRule(const RuleSet& rules, int joystickId, const Foreground& front) {
    (void)rules;
    (void)joystickId;
    (void)front;
    return RuleDecision();
}
