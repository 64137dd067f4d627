// libFuzzer target for the rules file reader: never crashes nor reads out of bounds, what it
// reads is read back unchanged after being written again, and each rule decides at least for the
// application its own patterns describe.
#include <cstdlib>

#include "profiles/ApplicationRules.h"

namespace {

const std::string Directory = "C:\\Quorvel\\";

std::string Written(const RuleSet& set) {
    std::string text;
    for (const Rule& rule : set.rules) {
        text += "[" + rule.name + "]\nprogram = " + rule.program + "\n";
        if (rule.hasTitle) text += "title = " + rule.title + "\n";
        text += "joystick =";
        for (int id = 0; id < 16; ++id) {
            if (rule.joysticks & (1u << id)) text += " " + std::to_string(id + 1);
        }
        // ".qvp" is written because reading drops one: a profile may be called "a.qvp".
        text += rule.action == RuleAction::Off ? "\noff = yes\n"
                                               : "\nprofile = " + rule.profile + ".qvp\n";
    }
    return text;
}

bool Same(const Rule& a, const Rule& b) {
    return a.name == b.name && a.program == b.program && a.hasTitle == b.hasTitle &&
           a.title == b.title && a.joysticks == b.joysticks && a.action == b.action &&
           a.profile == b.profile;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const RuleSet read = ParseRules(std::vector<uint8_t>(data, data + size), Directory);
    for (size_t i = 1; i < read.problems.size(); ++i) {
        if (read.problems[i].line < read.problems[i - 1].line) std::abort();
    }
    const std::string text = Written(read);
    const RuleSet again = ParseRules(std::vector<uint8_t>(text.begin(), text.end()), Directory);
    if (!again.problems.empty() || again.rules.size() != read.rules.size()) std::abort();
    for (size_t i = 0; i < read.rules.size(); ++i) {
        const Rule& rule = read.rules[i];
        if (!Same(rule, again.rules[i]) || rule.joysticks == 0) std::abort();
        // A pattern matches itself, so some rule up to this one decides for its first joystick.
        int id = 0;
        while (!(rule.joysticks & (1u << id))) ++id;
        if (DecideRule(read, id, {true, rule.program, rule.title}).action == RuleAction::Own) {
            std::abort();
        }
    }
    return 0;
}
