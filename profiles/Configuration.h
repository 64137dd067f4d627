// The program-wide choices and the profile of every present joystick, with reading and writing
// of Quorvel.cfg.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "profiles/ApplicationRules.h"
#include "profiles/JoystickProfile.h"
#include "profiles/Messages.h"
#include "profiles/PadAssignment.h"
#include "profiles/ProgramContext.h"

constexpr int MaxJoysticks = 16;
constexpr const char* ConfigurationFileName = "Quorvel.cfg";
constexpr const char* DefaultProfileName = "Default";

// What a record of Quorvel.cfg keeps besides its profile name and enabled bit. A record moves to
// another ID when the pad that last used it comes back under that ID; everything here moves
// with it.
struct PadRecord {
    // The record's identity for the run, kept as it moves: what a dialog open on it follows.
    int serial = 0;
    // The device key of the pad that last used the record; empty when none is remembered.
    std::string deviceKey;
};

struct ApplicationState {
    explicit ApplicationState(ProgramContext programContext) : context(std::move(programContext)) {
        for (int id = 0; id < MaxJoysticks; ++id) padRecords[id].serial = id;
    }
    ApplicationState(const ApplicationState&) = delete;
    ApplicationState& operator=(const ApplicationState&) = delete;

    bool IsPresent(int id) const { return (PresentMask >> id) & 1u; }
    bool IsEnabled(int id) const { return (EnabledMask >> id) & 1u; }
    std::string ConfigurationPath() const {
        return context.programDirectory + ConfigurationFileName;
    }

    const ProgramContext context;  // profiles keep a reference to it
    int32_t LaunchOnStartup = 0;
    uint16_t EnabledMask = 0;
    uint16_t PresentMask = 0;
    int CurrentJoystick = 0;
    // The arrays by ID hold the record the pad at that ID holds, and the free records on the IDs
    // without a pad: the layout Quorvel.cfg is written in.
    std::array<std::unique_ptr<JoystickProfile>, MaxJoysticks> profiles;
    // Per ID, kept together and moving with their record: the own profile, the one chosen by
    // hand, when another stands in for it, and the application rule in force.
    // The profile name each record asks for: the usable name the configuration file gave it, or
    // the one its pad last loaded as at start or was given by hand, never a rule's (empty when
    // none); the own profile's name while another profile stands in for it.
    std::array<std::string, MaxJoysticks> configuredNames;
    // Set while a joystick uses another profile than its own: "Default" in place of the profile
    // the file names for it, which was refused (the file keeps naming that profile, so a repaired
    // file comes back), or the profile an application rule chose (the file keeps the own one).
    std::array<bool, MaxJoysticks> standsIn{};
    // The application rule's decision the joystick follows now; Own when none.
    std::array<RuleDecision, MaxJoysticks> ruleInForce{};
    std::array<PadRecord, MaxJoysticks> padRecords;
    // Messages left for the shell, which shows them once the current operation has finished.
    Notices notices;
    // Set by the first Exit, which then ends the program.
    bool exiting = false;
    // The mappings are paused: no joystick polls. Never saved; the program starts unpaused.
    bool paused = false;
    // The serial of the record whose pad the open button configuration dialog configures: the
    // current joystick's as it opened, followed when that pad leaves or comes back under another
    // ID; -1 while the dialog is closed.
    int buttonDialogRecord = -1;
};

// The ID at which the record with that serial sits now; -1 for no record's serial.
int IdOfRecord(const ApplicationState& state, int serial);

// Reads Quorvel.cfg: sets LaunchOnStartup, the records and their enabled bits, seats every present
// pad on a record (SeatArrivingPads) and creates and loads its profile, named by the last usable
// record for the ID that record had in the file, or "Default"; a joystick whose profile is
// refused uses "Default" instead, and with that refused too the built-in settings under the
// refused name. What the loads report goes to the notices. Needs PresentMask set and no profile
// yet. Returns false, changing nothing, when the file cannot be read.
bool LoadConfiguration(ApplicationState& state);

// The pads of `arriving`, already in PresentMask and without a profile of their own yet, take
// records by their device keys (SeatPads), which move with their names, enabled bits and
// PadRecord; each taken record then remembers its pad's key (at most MaxDeviceKeyLength bytes).
// A departed pad's kept profile moves with its record. Returns the layout applied.
RecordLayout SeatArrivingPads(ApplicationState& state, uint16_t arriving);

// Creates and loads, as a start does, the profile of a joystick that arrived after start: the one
// a departed joystick of that ID kept (saved first when modified), else the one the file named for
// its ID, else "Default". Reports go to the notices.
void CreateArrivingProfile(ApplicationState& state, int id);

// The name of joystick `id`'s own profile, the one chosen by hand, whichever is in force; empty
// for a joystick without a profile.
std::string OwnProfileName(const ApplicationState& state, int id);

// Writes Quorvel.cfg with sixteen records and the device keys they remember. A joystick with a
// profile, present or gone since, writes its profile's name; one standing in (with "Default", or
// a rule's profile) writes its own profile's name, and an absent joystick without a profile the
// name the file gave it at start; other absent IDs take the own profile's name of the nearest
// present joystick below, or of the current joystick. Returns false when the file could not be
// written (the old one is then unchanged).
bool SaveConfiguration(const ApplicationState& state);
