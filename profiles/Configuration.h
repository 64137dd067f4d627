// The program-wide choices and the profile of every present joystick, with reading and writing
// of Quorvel.cfg.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "profiles/JoystickProfile.h"
#include "profiles/Messages.h"
#include "profiles/ProgramContext.h"

constexpr int MaxJoysticks = 16;
constexpr const char* ConfigurationFileName = "Quorvel.cfg";
constexpr const char* DefaultProfileName = "Default";

struct ApplicationState {
    explicit ApplicationState(ProgramContext programContext) : context(std::move(programContext)) {}
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
    std::array<std::unique_ptr<JoystickProfile>, MaxJoysticks> profiles;
    // The usable name the configuration file gave each ID at start; empty when none.
    std::array<std::string, MaxJoysticks> configuredNames;
    // Set while a joystick uses "Default" in place of the profile the file names for it, which
    // was refused at start: the file keeps naming that profile, so a repaired file comes back.
    std::array<bool, MaxJoysticks> standsIn{};
    // Messages left for the shell, which shows them once the current operation has finished.
    Notices notices;
    // Set by the first Exit, which then ends the program.
    bool exiting = false;
    // The mappings are paused: no joystick polls. Never saved; the program starts unpaused.
    bool paused = false;
    // The joystick the open button configuration dialog configures, recorded as it opens; -1
    // while the dialog is closed.
    int buttonDialogJoystick = -1;
};

// Reads Quorvel.cfg: sets LaunchOnStartup and EnabledMask and creates and loads the profile of
// every present joystick, named by its last usable record or "Default"; a joystick whose profile
// is refused uses "Default" instead. What the loads report goes to the notices. Needs PresentMask
// set and no profile yet. Returns false, changing nothing, when the file cannot be read.
bool LoadConfiguration(ApplicationState& state);

// Creates and loads the profile of a joystick that arrived after start: the one the file named for
// its ID at start, else "Default" (also standing in for a refused one). Reports go to the notices.
void CreateArrivingProfile(ApplicationState& state, int id);

// Writes Quorvel.cfg with sixteen records. A joystick with a profile, present or gone since,
// writes its profile's name; one standing in with "Default", and an absent joystick without a
// profile, keeps the name the file gave it at start; other absent IDs take the name of the
// nearest present joystick below, or of the current joystick. Returns false when the file could not
// be written (the old one is then unchanged).
bool SaveConfiguration(const ApplicationState& state);
