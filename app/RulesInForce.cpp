// Reading the rules file as it changes, deciding as the front changes, switching the joysticks,
// and the balloons that tell the user.
#include "app/RulesInForce.h"

#include "app/ApplicationLogic.h"
#include "profiles/Messages.h"
#include "profiles/ProfileManager.h"
#include "profiles/ProfileName.h"

namespace {

constexpr uint16_t AllJoysticks = 0xFFFF;

std::string FileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A message box's text on one line: a balloon line per message.
std::string OneLine(const std::string& text) {
    std::string line;
    for (char c : text) {
        if (c == '\r') continue;
        line += c == '\n' ? ' ' : c;
    }
    return line;
}

std::string FileLine(int line, const std::string& reason) {
    const std::string file = RulesFileName;
    return line > 0 ? file + ": line " + std::to_string(line) + ": " + reason
                    : file + ": " + reason;
}

// The rule's profile comes in; the one it replaces, when it was the joystick's own, stays named
// in the configuration file.
void UseRuleProfile(ApplicationState& state, int id, const std::string& name, Notices& told) {
    const JoystickProfile& profile = *state.profiles[id];
    if (SameIgnoringCase(profile.profileName, name)) return;
    // A name the user mistyped makes no file: the joystick stays on what it has, and is told.
    platform::FileStamp stamp;
    if (!platform::GetFileStamp(state.context.programDirectory + name + ProfileFileExtension,
                                stamp)) {
        told.push_back(NoRuleProfileMessage(name));
        return;
    }
    const std::string own = OwnProfileName(state, id);
    if (!SwitchProfile(state, id, name, told)) return;
    state.configuredNames[id] = own;
    state.standsIn[id] = true;
}

// Back to the joystick's own profile; where that is refused, "Default" stands in for it, as at
// start.
void UseOwnProfile(ApplicationState& state, int id, Notices& told) {
    if (!state.standsIn[id]) return;
    const std::string own = state.configuredNames[id];
    if (SameIgnoringCase(state.profiles[id]->profileName, own) ||
        SwitchProfile(state, id, own, told)) {
        state.standsIn[id] = false;
        return;
    }
    if (!SameIgnoringCase(state.profiles[id]->profileName, DefaultProfileName)) {
        SwitchProfile(state, id, DefaultProfileName, told);
    }
}

// Whether some joystick sends input now: present, polling and not muted.
bool SendsInput(const ApplicationState& state) {
    for (int id = 0; id < MaxJoysticks; ++id) {
        const JoystickProfile* profile = state.profiles[id].get();
        if (state.IsPresent(id) && profile && profile->IsPolling() && !profile->IsMuted()) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::string NewRulesFileText() {
    static const char* const Lines[] = {
        "; Quorvel.rules: which profile each joystick uses while an application is in front.",
        "; Quorvel reads this file again whenever it changes: no restart is needed.",
        ";",
        "; A rule starts with its name in brackets, then says which application it is for:",
        ";   program = the program's file name (notepad.exe), or its whole path when the",
        ";             pattern holds a \\; * stands for any run of characters, ? for one,",
        ";             and letter case does not matter",
        ";   title = a pattern for the whole title of the window in front (may be left out)",
        ";   joystick = all, or joystick numbers such as 1, 3 (all when left out)",
        "; and exactly one of:",
        ";   profile = the profile those joysticks use while the application is in front",
        ";   off = yes: those joysticks send nothing (for games that read the pad themselves)",
        "; The first rule that matches the application in front decides, for every joystick it",
        "; names. Other joysticks use their own profile, the one chosen in Quorvel's menu.",
        "; Lines starting with ; or # are comments: remove the ; of an example's lines to use it.",
        "; A program run as administrator receives Quorvel's input only when Quorvel runs as",
        "; administrator too.",
        ";",
        "; [Notepad]",
        "; program = notepad.exe",
        "; profile = Editing",
        ";",
        "; [Racing on pad 2]",
        "; program = racer*.exe",
        "; joystick = 2",
        "; profile = Wheel",
        ";",
        "; [Games that read the pad themselves]",
        "; program = C:\\Games\\*",
        "; off = yes",
    };
    std::string text;
    for (const char* line : Lines) text += std::string(line) + "\r\n";
    return text;
}

bool PrepareRulesFile(const std::string& path) {
    platform::FileStamp stamp;
    if (platform::GetFileStamp(path, stamp)) return true;
    const std::string text = NewRulesFileText();
    return platform::ReplaceWholeFile(path, std::vector<uint8_t>(text.begin(), text.end())) ==
           platform::ReplaceResult::Replaced;
}

std::optional<std::string> ElevationNotice(const std::string& programPath, Elevation front,
                                           Elevation self) {
    if (programPath.empty() || front != Elevation::Elevated || self != Elevation::NotElevated) {
        return std::nullopt;
    }
    return FileNameOf(programPath) +
           " runs as administrator, so Windows keeps Quorvel's input from reaching it. To "
           "control it, start Quorvel as administrator.";
}

bool IsFrameHost(const std::string& programPath) {
    return SameIgnoringCase(FileNameOf(programPath), "ApplicationFrameHost.exe");
}

bool IsTaskbarWindow(const std::string& windowClass) {
    for (const char* taskbar :
         {"Shell_TrayWnd", "Shell_SecondaryTrayWnd", "NotifyIconOverflowWindow",
          "TopLevelWindowForOverflowXamlIsland"}) {
        if (SameIgnoringCase(windowClass, taskbar)) return true;
    }
    return false;
}

uint16_t RulesInForce::CheckFile(ApplicationState& state) {
    const std::string path = state.context.programDirectory + RulesFileName;
    platform::FileStamp now;
    const bool exists = platform::GetFileStamp(path, now);
    if (checked && exists == existed && (!exists || now == stamp)) return 0;
    std::vector<uint8_t> bytes;
    // Told from the size first: a huge file is never read into memory.
    bool tooLarge = exists && now.size > MaxRulesFileBytes;
    if (exists && !tooLarge &&
        platform::ReadWholeFile(path, bytes) == platform::ReadStatus::Unreadable) {
        // Perhaps an editor holds it while saving: the rules stay, and it is read again later.
        Tell(FileLine(0, "the file cannot be read; the rules read before stay in force"));
        return 0;
    }
    tooLarge = tooLarge || bytes.size() > MaxRulesFileBytes;
    if (tooLarge) bytes.clear();
    // Saved again unchanged, the file tells nothing again and switches nothing.
    const bool sameContent = checked && bytes == content && tooLarge == contentTooLarge;
    checked = true;
    existed = exists;
    stamp = now;
    if (sameContent) return 0;
    content = bytes;
    contentTooLarge = tooLarge;
    told.clear();
    rules = tooLarge ? RuleSet{} : ParseRules(content, state.context.programDirectory);
    if (tooLarge) Tell(FileLine(0, "the file is over 1 MiB, so no rule applies"));
    for (const RuleProblem& problem : rules.problems) Tell(FileLine(problem.line, problem.reason));
    // Without a rule the front is not watched: what was seen last goes stale.
    if (!HasRules()) front.reset();
    return Apply(state, AllJoysticks);
}

uint16_t RulesInForce::SeeFront(ApplicationState& state, const Foreground& now) {
    if (front && front->programKnown == now.programKnown && front->programPath == now.programPath &&
        (!rules.WatchesTitles() || front->title == now.title)) {
        return 0;
    }
    front = now;
    return Apply(state, AllJoysticks);
}

uint16_t RulesInForce::Apply(ApplicationState& state, uint16_t which) {
    uint16_t switched = 0;
    for (int id = 0; id < MaxJoysticks; ++id) {
        if (!((which >> id) & 1u) || !state.IsPresent(id) || !state.profiles[id]) continue;
        // The joystick the open button configuration dialog edits keeps its profile until the
        // dialog closes, so that the user's edits are never dropped nor written into another
        // profile; it is decided then.
        if (id == ButtonDialogJoystick(state)) {
            deferred = static_cast<uint16_t>(deferred | 1u << id);
            continue;
        }
        const RuleDecision wanted = front ? DecideRule(rules, id, *front) : RuleDecision{};
        if (wanted == state.ruleInForce[id]) continue;
        Switch(state, id, wanted);
        switched = static_cast<uint16_t>(switched | 1u << id);
    }
    return switched;
}

void RulesInForce::Switch(ApplicationState& state, int id, const RuleDecision& wanted) {
    Notices notices;
    state.ruleInForce[id] = wanted;
    if (wanted.action == RuleAction::Profile) UseRuleProfile(state, id, wanted.profile, notices);
    if (wanted.action == RuleAction::Own) UseOwnProfile(state, id, notices);
    // An "off" keeps the profile it has: nothing is sent, and nothing needs loading.
    state.profiles[id]->HoldOff();
    RefreshMuting(state, id);
    const int line = LineOf(wanted);
    for (const MessageText& message : notices) {
        Tell(line > 0 ? FileLine(line, OneLine(message.text)) : OneLine(message.text));
    }
}

uint16_t RulesInForce::ApplyDeferred(ApplicationState& state, int id) {
    if (id < 0 || id >= MaxJoysticks || !((deferred >> id) & 1u)) return 0;
    ForgetDeferred(id);
    return Apply(state, static_cast<uint16_t>(1u << id));
}

void RulesInForce::ForgetDeferred(int id) {
    if (id >= 0 && id < MaxJoysticks) deferred = static_cast<uint16_t>(deferred & ~(1u << id));
}

int RulesInForce::LineOf(const RuleDecision& decision) const {
    for (const Rule& rule : rules.rules) {
        if (rule.name == decision.rule && rule.action == decision.action &&
            rule.profile == decision.profile) {
            return rule.line;
        }
    }
    return 0;
}

void RulesInForce::SeeElevation(const ApplicationState& state, const std::string& programPath,
                                Elevation frontElevation, Elevation self) {
    const std::optional<std::string> notice = ElevationNotice(programPath, frontElevation, self);
    if (!notice || !SendsInput(state)) return;
    // Once per run, whatever becomes of the rules file.
    if (elevatedTold.insert(Lowered(programPath)).second) pending.push_back(*notice);
}

void RulesInForce::TellInBalloon(Notices& notices) {
    for (const MessageText& message : notices) pending.push_back(OneLine(message.text));
    notices.clear();
}

void RulesInForce::Tell(const std::string& line) {
    if (told.insert(line).second) pending.push_back(line);
}

std::string RulesInForce::TakeBalloon() {
    std::vector<std::string> lines;
    lines.swap(pending);
    if (lines.size() > MaxBalloonLines) {
        const size_t more = lines.size() - (MaxBalloonLines - 1);
        lines.resize(MaxBalloonLines - 1);
        lines.push_back("and " + std::to_string(more) + " more");
    }
    std::string text;
    for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
    return text;
}
