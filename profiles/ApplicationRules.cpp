// The application rules: reading Quorvel.rules, matching patterns and deciding per joystick.
#include "profiles/ApplicationRules.h"

#include <algorithm>

#include "profiles/ProfileManager.h"
#include "profiles/ProfileName.h"

namespace {

constexpr size_t MaxRuleNameBytes = 63;
// Quoted user text in a reason is cut here, so that a message fits in a balloon.
constexpr size_t MaxQuotedBytes = 32;
constexpr int MaxJoystickNumber = 16;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trimmed(const std::string& text) {
    size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

std::string Quoted(const std::string& text) {
    if (text.size() <= MaxQuotedBytes) return "\"" + text + "\"";
    return "\"" + text.substr(0, MaxQuotedBytes) + "...\"";
}

enum class Key { Program, Title, Joystick, Profile, Off, Count };
constexpr const char* KeyNames[] = {"program", "title", "joystick", "profile", "off"};

// Why `name` (".qvp" already dropped) cannot be a rule's profile; empty when it can.
std::string ProfileNameProblem(const std::string& directory, const std::string& name) {
    switch (CheckProfileName(directory, name)) {
        case NameProblem::None:
            return "";
        case NameProblem::Empty:
            return "empty profile name";
        case NameProblem::ForbiddenCharacter:
            return "profile name with one of \\ / : * ? \" < > | or a control character";
        case NameProblem::TooLong:
            return "profile name too long for a file name";
        case NameProblem::DeviceName:
            return "profile name " + Quoted(name) + " is a device's name";
    }
    return "";
}

// Reads a number 1..16 at `at` into `mask`; empty, or why not.
std::string ReadJoystickNumber(const std::string& value, size_t& at, uint16_t& mask) {
    const size_t begin = at;
    int number = 0;
    while (at < value.size() && value[at] >= '0' && value[at] <= '9') {
        number = std::min(number * 10 + (value[at] - '0'), 1000);
        ++at;
    }
    if (at == begin) return "joystick is not all or numbers 1 to 16: " + Quoted(value);
    if (number < 1 || number > MaxJoystickNumber) {
        return "no joystick " + value.substr(begin, std::min(at - begin, MaxQuotedBytes)) +
               ": numbers are 1 to 16";
    }
    mask = static_cast<uint16_t>(mask | (1u << (number - 1)));
    return "";
}

// "all", or numbers 1..16 each separated from the next by one comma or by blanks, or both.
std::string ReadJoysticks(const std::string& value, uint16_t& mask) {
    mask = 0;
    if (Lowered(value) == "all") {
        mask = 0xFFFF;
        return "";
    }
    size_t at = 0;
    for (;;) {
        const std::string problem = ReadJoystickNumber(value, at, mask);
        if (!problem.empty()) return problem;
        const size_t separator = at;
        while (at < value.size() && IsBlank(value[at])) ++at;
        if (at == value.size()) return "";
        if (value[at] == ',') {
            ++at;
            while (at < value.size() && IsBlank(value[at])) ++at;
        } else if (at == separator) {
            return "joystick is not all or numbers 1 to 16: " + Quoted(value);
        }
    }
}

// One rule as its lines are read: what it has so far and the first reason it is ignored.
struct RuleDraft {
    Rule rule;
    bool seen[static_cast<int>(Key::Count)] = {};
    bool off = false;  // "off = yes"
    RuleProblem problem;
    bool ignored = false;

    void Ignore(int line, const std::string& reason) {
        if (ignored) return;
        ignored = true;
        problem = {line, reason};
    }
};

class RulesReader {
  public:
    explicit RulesReader(const std::string& directory) : programDirectory(directory) {}

    void ReadLine(int line, const std::string& text);
    // A line that cannot be read: ignored alone before the first rule, else with its rule.
    void RefuseLine(int line, const std::string& reason);
    // Ends the rule being read, if any: it joins the rules or becomes a problem.
    void EndRule();
    RuleSet Result() {
        EndRule();
        return std::move(set);
    }

  private:
    void StartRule(int line, const std::string& text);
    void ReadKey(int line, const std::string& key, const std::string& value);
    // Takes `value` for `key` into the draft; empty, or why it cannot be used.
    std::string TakeValue(Key key, const std::string& value);

    std::string programDirectory;
    RuleSet set;
    RuleDraft draft;
    bool inRule = false;
};

void RulesReader::ReadLine(int line, const std::string& raw) {
    const std::string text = Trimmed(raw);
    if (text.empty() || text[0] == ';' || text[0] == '#') return;
    // Only "[NAME]" starts a rule: "[NAME" or "[NAME] x" is a line that is none of the forms, and
    // belongs to the rule above, which it makes ignored.
    if (text[0] == '[' && text.back() == ']' && text.size() > 1) return StartRule(line, text);
    const size_t equals = text.find('=');
    if (equals == std::string::npos || equals == 0) {
        return RefuseLine(line, "not [NAME], KEY = VALUE or a comment");
    }
    const std::string key = Trimmed(text.substr(0, equals));
    if (!inRule) return set.problems.push_back({line, Quoted(key) + " before the first [NAME]"});
    ReadKey(line, key, Trimmed(text.substr(equals + 1)));
}

void RulesReader::RefuseLine(int line, const std::string& reason) {
    if (inRule) return draft.Ignore(line, reason);
    set.problems.push_back({line, reason});
}

void RulesReader::StartRule(int line, const std::string& text) {
    EndRule();
    inRule = true;
    draft = RuleDraft();
    draft.rule.line = line;
    draft.rule.name = Trimmed(text.substr(1, text.size() - 2));
    if (draft.rule.name.empty()) return draft.Ignore(line, "empty rule name");
    if (draft.rule.name.size() > MaxRuleNameBytes) {
        draft.Ignore(line, "rule name over 63 bytes");
    }
}

void RulesReader::ReadKey(int line, const std::string& key, const std::string& value) {
    const std::string lowered = Lowered(key);
    int index = 0;
    while (index < static_cast<int>(Key::Count) && lowered != KeyNames[index]) ++index;
    if (index == static_cast<int>(Key::Count)) {
        return draft.Ignore(line, "unknown key " + Quoted(key));
    }
    if (draft.seen[index]) return draft.Ignore(line, "repeated key " + Quoted(key));
    draft.seen[index] = true;
    if (value.empty()) return draft.Ignore(line, "empty value of " + Quoted(key));
    const std::string problem = TakeValue(static_cast<Key>(index), value);
    if (!problem.empty()) return draft.Ignore(line, problem);
    if (draft.off && draft.seen[static_cast<int>(Key::Profile)]) {
        draft.Ignore(line, "both profile and off = yes");
    }
}

std::string RulesReader::TakeValue(Key key, const std::string& value) {
    Rule& rule = draft.rule;
    switch (key) {
        case Key::Program:
            rule.program = value;
            return "";
        case Key::Title:
            rule.hasTitle = true;
            rule.title = value;
            return "";
        case Key::Joystick:
            return ReadJoysticks(value, rule.joysticks);
        case Key::Profile:
            rule.profile = WithoutProfileExtension(value);
            return ProfileNameProblem(programDirectory, rule.profile);
        case Key::Off: {
            const std::string answer = Lowered(value);
            // "no" stands for a rule without the line.
            draft.off = answer == "yes";
            return draft.off || answer == "no" ? "" : "off is yes or no, not " + Quoted(value);
        }
        case Key::Count:
            break;
    }
    return "";
}

void RulesReader::EndRule() {
    if (!inRule) return;
    inRule = false;
    const bool hasProfile = draft.seen[static_cast<int>(Key::Profile)];
    if (!draft.seen[static_cast<int>(Key::Program)]) {
        draft.Ignore(draft.rule.line, "rule without program");
    } else if (!hasProfile && !draft.off) {
        draft.Ignore(draft.rule.line, "rule without profile or off = yes");
    }
    if (draft.ignored) return set.problems.push_back(draft.problem);
    draft.rule.action = draft.off ? RuleAction::Off : RuleAction::Profile;
    set.rules.push_back(std::move(draft.rule));
}

// The file name of a whole path: the part after its last '\'.
std::string FileNameOf(const std::string& path) {
    const size_t separator = path.rfind('\\');
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

bool ProgramMatches(const std::string& pattern, const Foreground& front) {
    if (!front.programKnown) return pattern == "*";
    if (pattern.find('\\') != std::string::npos) return MatchesPattern(pattern, front.programPath);
    return MatchesPattern(pattern, FileNameOf(front.programPath));
}

}  // namespace

bool RuleSet::WatchesTitles() const {
    return std::any_of(rules.begin(), rules.end(), [](const Rule& rule) { return rule.hasTitle; });
}

RuleSet ParseRules(const std::vector<uint8_t>& bytes, const std::string& programDirectory) {
    RulesReader reader(programDirectory);
    if (bytes.size() > MaxRulesFileBytes) {
        RuleSet refused;
        refused.problems.push_back({0, "file over 1 MiB"});
        return refused;
    }
    const std::string text(bytes.begin(), bytes.end());
    const bool bom = text.compare(0, 3, "\xEF\xBB\xBF") == 0;
    int line = 1;
    for (size_t begin = bom ? 3 : 0; begin <= text.size(); ++line) {
        size_t end = text.find('\n', begin);
        if (end == std::string::npos) end = text.size();
        size_t content = end;
        if (content > begin && text[content - 1] == '\r') --content;
        const std::string lineText = text.substr(begin, content - begin);
        // Lines end with CR LF or LF: a lone CR (an old Macintosh line end) is refused rather
        // than read as part of a value. One at the very end of the file ends the last line.
        if (lineText.find('\r') != std::string::npos) {
            reader.RefuseLine(line, "CR without LF");
        } else {
            reader.ReadLine(line, lineText);
        }
        begin = end + 1;
    }
    return reader.Result();
}

bool MatchesPattern(const std::string& pattern, const std::string& text) {
    const std::string p = Lowered(pattern), t = Lowered(text);
    size_t at = 0, in = 0;
    // The last '*' seen and where in the text its run ends for now: on a mismatch the run grows
    // by one character. Earlier stars never need to grow: the last one can take that up.
    size_t star = std::string::npos, starEnd = 0;
    while (in < t.size()) {
        if (at < p.size() && p[at] == '*') {
            star = at++;
            starEnd = in;
        } else if (at < p.size() && (p[at] == '?' || p[at] == t[in])) {
            ++at;
            ++in;
        } else if (star != std::string::npos) {
            at = star + 1;
            in = ++starEnd;
        } else {
            return false;
        }
    }
    while (at < p.size() && p[at] == '*') ++at;
    return at == p.size();
}

RuleDecision DecideRule(const RuleSet& rules, int joystickId, const Foreground& front) {
    RuleDecision decision;
    if (joystickId < 0 || joystickId >= MaxJoystickNumber) return decision;
    for (const Rule& rule : rules.rules) {
        if (!(rule.joysticks & (1u << joystickId))) continue;
        if (!ProgramMatches(rule.program, front)) continue;
        if (rule.hasTitle && !MatchesPattern(rule.title, front.title)) continue;
        decision.action = rule.action;
        decision.profile = rule.action == RuleAction::Profile ? rule.profile : "";
        decision.rule = rule.name;
        break;
    }
    return decision;
}
