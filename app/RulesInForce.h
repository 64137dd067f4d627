// The application rules at work in the program: reading Quorvel.rules when it changes, deciding
// as the application in front changes, switching the joysticks and what the user is told.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "profiles/ApplicationRules.h"
#include "profiles/Configuration.h"

// The most lines one balloon shows.
constexpr size_t MaxBalloonLines = 5;

// The text of the rules file the program creates when the user asks to edit it and there is
// none: a commented explanation and example, without a rule. Lines end with CR LF.
std::string NewRulesFileText();

// Creates the rules file at `path` with NewRulesFileText() unless a file is there. False when it
// is missing and could not be written.
bool PrepareRulesFile(const std::string& path);

// What a process's token says about running as administrator; Unknown where it cannot be read
// (or the system has no such notion, before Windows Vista).
enum class Elevation { Unknown, Elevated, NotElevated };

// The balloon telling that the program at `programPath` runs as administrator while Quorvel does
// not, so its input cannot reach it; none when either token is unknown, the program is unknown,
// or Quorvel is elevated too.
std::optional<std::string> ElevationNotice(const std::string& programPath, Elevation front,
                                           Elevation self);

// Whether the program at `programPath` is ApplicationFrameHost.exe, whose windows frame another
// process's (store apps): that process stands for it.
bool IsFrameHost(const std::string& programPath);

// Whether a window of this class is the taskbar or the notification area's overflow: the user
// clicks them on the way to Quorvel's icon, so they change nothing, as Quorvel's own windows.
bool IsTaskbarWindow(const std::string& windowClass);

class RulesInForce {
  public:
    // Reads Quorvel.rules again when its size or time changed since the last call (the first
    // call reads it); a new content decides every present joystick afresh, with the application
    // last seen in front. A file over MaxRulesFileBytes counts as one without a rule; one that
    // cannot be read leaves the rules as they were and is tried again at the next call. Returns
    // the joysticks that switched.
    uint16_t CheckFile(ApplicationState& state);
    // Another program's window is in front: when its program, or its title while a rule has a
    // title, differs from what was last seen, every present joystick is decided afresh. Returns
    // the joysticks that switched.
    uint16_t SeeFront(ApplicationState& state, const Foreground& front);
    // Decides the present joysticks of `which` with the application last seen in front (none
    // seen: their own profiles); each whose decision differs from the one it follows switches:
    // to the rule's profile, as the Profile Manager's menu does; off, muted; own, back to its
    // own profile. The joystick of an open button configuration dialog waits until it closes.
    // Every switch releases what the joystick holds and lets no control held at the switch fire
    // until released. What a load would tell goes to the balloon, once per
    // version of the file. Returns the joysticks that switched.
    uint16_t Apply(ApplicationState& state, uint16_t which);
    // The button configuration dialog of joystick `id` has closed: a decision that waited for it
    // applies now. Returns the joysticks that switched.
    uint16_t ApplyDeferred(ApplicationState& state, int id);
    // A profile chosen by hand for joystick `id`: a decision waiting for its dialog is dropped.
    void ForgetDeferred(int id);
    // After the front's program changed: the balloon about a program run as administrator, once
    // per program per run, while some joystick sends input.
    void SeeElevation(const ApplicationState& state, const std::string& programPath,
                      Elevation front, Elevation self);

    // Whether a rule is in force: without one, the front need not be watched.
    bool HasRules() const { return !rules.rules.empty(); }
    bool WatchesTitles() const { return rules.WatchesTitles(); }
    // Messages that a box would show over the application in front (a game would lose the
    // focus) go to the next balloon instead, a line each; `notices` is left empty.
    void TellInBalloon(Notices& notices);
    // The text of the balloon due now, at most MaxBalloonLines lines; empty when there is none.
    std::string TakeBalloon();

  private:
    void Switch(ApplicationState& state, int id, const RuleDecision& wanted);
    void Tell(const std::string& line);
    // The line of the rule `decision` names, for messages about it; 0 when not found.
    int LineOf(const RuleDecision& decision) const;

    RuleSet rules;
    // What was last read: whether there was a file, its stamp and its bytes.
    bool checked = false;
    bool existed = false;
    platform::FileStamp stamp;
    std::vector<uint8_t> content;
    bool contentTooLarge = false;
    // The application last seen in front; none yet, or since the last rule went.
    std::optional<Foreground> front;
    // Lines told since the file's content last changed: each version tells a problem once.
    std::set<std::string> told;
    // Programs whose elevation was told about in this run.
    std::set<std::string> elevatedTold;
    std::vector<std::string> pending;
    // Joysticks whose decision waits for their button configuration dialog to close.
    uint16_t deferred = 0;
};
