// Reading and writing of the configuration file against the program's state.
#include "profiles/Configuration.h"

#include "platform/Platform.h"
#include "profiles/ConfigurationFile.h"
#include "profiles/ProfileName.h"

namespace {

// A new profile for joystick `id`, loaded from `name`, or from "Default" standing in for a refused
// one. With both refused the joystick runs on the built-in settings under `name`, which
// Quorvel.cfg then keeps naming. What the loads report goes to the notices.
void CreateProfile(ApplicationState& state, int id, const std::string& name) {
    // A profile an earlier record put into the slot is replaced.
    state.profiles[id].reset();
    state.profiles[id] = std::make_unique<JoystickProfile>(state.context, id);
    JoystickProfile& profile = *state.profiles[id];
    state.standsIn[id] = false;
    const LoadResult result = profile.Load(name);
    if (!IsRefusal(result)) {
        Note(state.notices, LoadMessage(result, name, profile));
        return;
    }
    // Told after the stand-in's load, which the message names, yet naming this refused file.
    const std::string refusedPath =
        state.context.programDirectory + profile.RefusedName() + ProfileFileExtension;
    const bool standsIn = name != DefaultProfileName;
    const LoadResult standIn = standsIn ? profile.Load(DefaultProfileName) : result;
    state.standsIn[id] = standsIn && !IsRefusal(standIn);
    Note(state.notices, RefusalMessage(result, refusedPath, profile.profileName));
    if (standsIn) Note(state.notices, LoadMessage(standIn, DefaultProfileName, profile));
    if (IsRefusal(standIn)) profile.UseBuiltInSettings(name);
}

}  // namespace

bool LoadConfiguration(ApplicationState& state) {
    std::vector<uint8_t> bytes;
    if (platform::ReadWholeFile(state.ConfigurationPath(), bytes) != platform::ReadStatus::Ok) {
        return false;
    }
    ConfigurationData data;
    DecodeConfiguration(bytes, data);
    state.LaunchOnStartup = data.launchOnStartup;
    state.EnabledMask = data.enabledMask;
    for (const ConfigurationRecord& record : data.records) {
        // A name that cannot form a file name counts as naming no profile.
        if (CheckProfileName(state.context.programDirectory, record.profileName) !=
            NameProblem::None) {
            continue;
        }
        state.configuredNames[record.joystickId] = record.profileName;
        if (state.IsPresent(record.joystickId)) {
            CreateProfile(state, record.joystickId, record.profileName);
        }
    }
    for (int id = 0; id < MaxJoysticks; ++id) {
        if (state.IsPresent(id) && !state.profiles[id])
            CreateProfile(state, id, DefaultProfileName);
    }
    return true;
}

void CreateArrivingProfile(ApplicationState& state, int id) {
    const std::string& configured = state.configuredNames[id];
    std::string name = configured.empty() ? std::string(DefaultProfileName) : configured;
    if (JoystickProfile* kept = state.profiles[id].get()) {
        // Its edits reach its own file, under the count it was loaded for, before the device
        // that now answers loads the profile afresh.
        Note(state.notices, SaveMessage(kept->Save(), kept->FilePath()));
        if (!state.standsIn[id]) name = kept->profileName;
    }
    CreateProfile(state, id, name);
}

bool SaveConfiguration(const ApplicationState& state) {
    ConfigurationData data;
    data.launchOnStartup = state.LaunchOnStartup;
    data.enabledMask = state.EnabledMask;
    int lastPresent = state.CurrentJoystick >= 0 && state.CurrentJoystick < MaxJoysticks
                          ? state.CurrentJoystick
                          : 0;
    for (int id = 0; id < MaxJoysticks; ++id) {
        std::string name;
        if (state.profiles[id]) {
            name = state.standsIn[id] ? state.configuredNames[id] : state.profiles[id]->profileName;
            lastPresent = id;
        } else if (!state.configuredNames[id].empty()) {
            name = state.configuredNames[id];
        } else if (state.profiles[lastPresent]) {
            name = state.profiles[lastPresent]->profileName;
        } else {
            name = DefaultProfileName;
        }
        data.records.push_back({static_cast<uint8_t>(id), name});
    }
    return platform::ReplaceWholeFile(state.ConfigurationPath(), EncodeConfiguration(data)) ==
           platform::ReplaceResult::Replaced;
}
