// Reading and writing of the configuration file against the program's state.
#include "profiles/Configuration.h"

#include "platform/Platform.h"
#include "profiles/ConfigurationFile.h"
#include "profiles/ProfileName.h"

namespace {

void CreateProfile(ApplicationState& state, int id, const std::string& name) {
    // A profile an earlier record put into the slot is replaced.
    state.profiles[id].reset();
    state.profiles[id] = std::make_unique<JoystickProfile>(state.context, id);
    JoystickProfile& profile = *state.profiles[id];
    const LoadResult result = profile.Load(name);
    state.standsIn[id] = false;
    state.ruleInForce[id] = {};
    if (IsRefusal(result) && name != DefaultProfileName) {
        const LoadResult standIn = profile.Load(DefaultProfileName);
        state.standsIn[id] = !IsRefusal(standIn);
        Note(state.notices, LoadMessage(result, name, profile));
        Note(state.notices, LoadMessage(standIn, DefaultProfileName, profile));
        return;
    }
    Note(state.notices, LoadMessage(result, name, profile));
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
    const std::string& named = state.configuredNames[id];
    CreateProfile(state, id, named.empty() ? std::string(DefaultProfileName) : named);
}

std::string OwnProfileName(const ApplicationState& state, int id) {
    if (state.standsIn[id]) return state.configuredNames[id];
    return state.profiles[id] ? state.profiles[id]->profileName : std::string();
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
            name = OwnProfileName(state, id);
            lastPresent = id;
        } else if (!state.configuredNames[id].empty()) {
            name = state.configuredNames[id];
        } else if (state.profiles[lastPresent]) {
            name = OwnProfileName(state, lastPresent);
        } else {
            name = DefaultProfileName;
        }
        data.records.push_back({static_cast<uint8_t>(id), name});
    }
    return platform::ReplaceWholeFile(state.ConfigurationPath(), EncodeConfiguration(data)) ==
           platform::ReplaceResult::Replaced;
}
