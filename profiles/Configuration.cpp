// Reading and writing of the configuration file against the program's state.
#include "profiles/Configuration.h"

#include <cctype>

#include "platform/Platform.h"
#include "profiles/ConfigurationFile.h"
#include "profiles/ProfileName.h"

static_assert(MaxJoysticks == ConfigurationRecordCount, "one record per joystick ID");

namespace {

// A new profile for joystick `id`, loaded from `name`, or from "Default" standing in for a refused
// one. With both refused the joystick runs on the built-in settings under `name`, which
// Quorvel.cfg then keeps naming. What the loads report goes to the notices.
void CreateProfile(ApplicationState& state, int id, const std::string& name) {
    // A profile an earlier record put into the slot is replaced.
    state.profiles[id].reset();
    state.profiles[id] = std::make_unique<JoystickProfile>(state.context, id);
    JoystickProfile& profile = *state.profiles[id];
    // The record asks for this name from now on, also while "Default" stands in for it and when
    // the load continues under a backup's name: a pad arriving later asks for it again.
    state.configuredNames[id] = name;
    state.standsIn[id] = false;
    state.ruleInForce[id] = {};
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

// Whether `backup` is `name` with a button count "(NN)" appended, as a load names a backup.
bool IsBackupOf(const std::string& backup, const std::string& name) {
    const size_t n = name.size();
    return backup.size() == n + 4 && backup.compare(0, n, name) == 0 && backup[n] == '(' &&
           std::isdigit(static_cast<unsigned char>(backup[n + 1])) &&
           std::isdigit(static_cast<unsigned char>(backup[n + 2])) && backup[n + 3] == ')';
}

// Puts the record of ID layout[id] at ID id, for every ID. A departed pad's kept profile moves
// with its record, with its name and any edits not saved yet, so that a button configuration
// dialog open on it keeps working on it; a pad arriving under the new ID loads it afresh.
void MoveRecords(ApplicationState& state, const RecordLayout& layout) {
    std::array<std::unique_ptr<JoystickProfile>, MaxJoysticks> profiles;
    std::array<std::string, MaxJoysticks> names;
    std::array<bool, MaxJoysticks> standsIn{};
    std::array<RuleDecision, MaxJoysticks> rulesInForce;
    std::array<PadRecord, MaxJoysticks> records;
    uint16_t enabled = 0;
    for (int id = 0; id < MaxJoysticks; ++id) {
        const int from = layout[id];
        profiles[id] = std::move(state.profiles[from]);
        names[id] = std::move(state.configuredNames[from]);
        standsIn[id] = state.standsIn[from];
        rulesInForce[id] = std::move(state.ruleInForce[from]);
        records[id] = std::move(state.padRecords[from]);
        if (state.IsEnabled(from)) enabled |= static_cast<uint16_t>(1u << id);
    }
    state.profiles = std::move(profiles);
    state.configuredNames = std::move(names);
    state.standsIn = standsIn;
    state.ruleInForce = std::move(rulesInForce);
    state.padRecords = std::move(records);
    state.EnabledMask = enabled;
}

}  // namespace

int IdOfRecord(const ApplicationState& state, int serial) {
    for (int id = 0; id < MaxJoysticks; ++id) {
        if (state.padRecords[id].serial == serial) return id;
    }
    return -1;
}

bool LoadConfiguration(ApplicationState& state) {
    std::vector<uint8_t> bytes;
    if (platform::ReadWholeFile(state.ConfigurationPath(), bytes) != platform::ReadStatus::Ok) {
        return false;
    }
    ConfigurationData data;
    DecodeConfiguration(bytes, data);
    state.LaunchOnStartup = data.launchOnStartup;
    state.EnabledMask = data.enabledMask;
    for (int id = 0; id < MaxJoysticks; ++id) state.padRecords[id].deviceKey = data.deviceKeys[id];
    // A name that cannot form a file name counts as naming no profile.
    std::vector<const ConfigurationRecord*> usable;
    for (const ConfigurationRecord& record : data.records) {
        if (CheckProfileName(state.context.programDirectory, record.profileName) ==
            NameProblem::None) {
            usable.push_back(&record);
            state.configuredNames[record.joystickId] = record.profileName;
        }
    }
    // The names are in place first, so that they move with their records.
    const RecordLayout layout = SeatArrivingPads(state, state.PresentMask);
    std::array<int, MaxJoysticks> idNow{};
    for (int id = 0; id < MaxJoysticks; ++id) idNow[layout[id]] = id;
    for (const ConfigurationRecord* record : usable) {
        const int id = idNow[record->joystickId];
        if (state.IsPresent(id)) CreateProfile(state, id, record->profileName);
    }
    for (int id = 0; id < MaxJoysticks; ++id) {
        if (state.IsPresent(id) && !state.profiles[id])
            CreateProfile(state, id, DefaultProfileName);
    }
    return true;
}

RecordLayout SeatArrivingPads(ApplicationState& state, uint16_t arriving) {
    DeviceKeys remembered, padKeys;
    for (int id = 0; id < MaxJoysticks; ++id) {
        remembered[id] = state.padRecords[id].deviceKey;
        if (HasBit(arriving, id)) {
            padKeys[id] = platform::JoystickDeviceKey(id).substr(0, MaxDeviceKeyLength);
        }
    }
    const uint16_t staying = static_cast<uint16_t>(state.PresentMask & ~arriving);
    const RecordLayout layout = SeatPads(remembered, staying, arriving, padKeys);
    MoveRecords(state, layout);
    for (int id = 0; id < MaxJoysticks; ++id) {
        if (HasBit(arriving, id)) state.padRecords[id].deviceKey = padKeys[id];
    }
    return layout;
}

void CreateArrivingProfile(ApplicationState& state, int id) {
    const std::string configured = state.configuredNames[id];
    std::string name = configured.empty() ? std::string(DefaultProfileName) : configured;
    if (JoystickProfile* kept = state.profiles[id].get()) {
        // Its edits reach its own file, under the count it was loaded for, before the device
        // that now answers loads the profile afresh.
        Note(state.notices, SaveMessage(kept->Save(), kept->FilePath()));
        // The profile the record used, but not a backup that a pad of another button count made
        // of the one it asks for: each pad then finds its own file again, and no chain of backups
        // grows as two pads take turns.
        if (!state.standsIn[id] && !IsBackupOf(kept->profileName, name)) name = kept->profileName;
    }
    CreateProfile(state, id, name);
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
        data.deviceKeys[id] = state.padRecords[id].deviceKey;
    }
    return platform::ReplaceWholeFile(state.ConfigurationPath(), EncodeConfiguration(data)) ==
           platform::ReplaceResult::Replaced;
}
