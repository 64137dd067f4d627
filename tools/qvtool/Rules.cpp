// qvtool rules: what a rules file decides for each joystick in front of a given program.
#include <cstdio>

#include "profiles/ApplicationRules.h"
#include "tools/qvtool/Tool.h"

namespace {

// Exit status when rules or lines of the file were ignored (the decisions are still printed).
constexpr int ExitRulesIgnored = 1;

// The directory of `path` with its final separator, where the program would find the profiles.
std::string DirectoryOf(const std::string& path) {
    const size_t separator = path.find_last_of("/\\");
    return separator == std::string::npos ? "" : path.substr(0, separator + 1);
}

// Names are written whole, also with a 0 byte inside.
void PrintText(const std::string& text, std::FILE* out) {
    std::fwrite(text.data(), 1, text.size(), out);
}

void PrintDecision(int joystickId, const RuleDecision& decision, std::FILE* out) {
    std::fprintf(out, "%d ", joystickId + 1);
    switch (decision.action) {
        case RuleAction::Own:
            std::fputs("own\n", out);
            return;
        case RuleAction::Profile:
            std::fputs("profile ", out);
            PrintText(decision.profile, out);
            std::fputs(" [", out);
            break;
        case RuleAction::Off:
            std::fputs("off [", out);
            break;
    }
    PrintText(decision.rule, out);
    std::fputs("]\n", out);
}

}  // namespace

int RulesCommand(const std::vector<std::string>& args, std::FILE* out) {
    if (args.size() != 2 && args.size() != 3) {
        std::fputs("usage: qvtool rules FILE PROGRAM [TITLE]\n", stderr);
        return ExitBadInput;
    }
    const std::string& path = args[0];
    std::vector<uint8_t> bytes;
    if (!ReadInputFile(path, bytes)) return ExitBadInput;
    if (bytes.size() > MaxRulesFileBytes) {
        std::fprintf(stderr, "qvtool: %s is over 1 MiB, so no rule of it applies\n", path.c_str());
        return ExitBadInput;
    }
    const RuleSet rules = ParseRules(bytes, DirectoryOf(path));
    for (const RuleProblem& problem : rules.problems) {
        std::fprintf(stderr, "%s:%d: ", path.c_str(), problem.line);
        PrintText(problem.reason + "\n", stderr);
    }
    // An empty PROGRAM stands for a program in front that could not be found.
    const Foreground front{!args[1].empty(), args[1], args.size() == 3 ? args[2] : ""};
    for (int id = 0; id < 16; ++id) PrintDecision(id, DecideRule(rules, id, front), out);
    return rules.problems.empty() ? 0 : ExitRulesIgnored;
}
