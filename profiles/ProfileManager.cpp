// Listing, naming, selecting, adding and deleting profiles.
#include "profiles/ProfileManager.h"

#include <algorithm>

#include "platform/Platform.h"
#include "profiles/ProfileName.h"

namespace {

// Loads `name` into the profile; what the user is told goes to `told`. False when refused.
bool LoadNoting(JoystickProfile& profile, const std::string& name, Notices& told) {
    const LoadResult result = profile.Load(name);
    Note(told, LoadMessage(result, name, profile));
    return !IsRefusal(result);
}

// The profile loaded is the joystick's own from now on: the configuration file names it, and
// the rule in force (if any) no longer decides until the application in front changes.
void ChosenByHand(ApplicationState& state, int id, const std::string& name) {
    state.configuredNames[id] = name;
    state.standsIn[id] = false;
    state.ruleInForce[id] = {};
}

bool EndsWithExtension(const std::string& name) {
    return name.size() >= ProfileFileExtensionLength &&
           SameIgnoringCase(name.substr(name.size() - ProfileFileExtensionLength),
                            ProfileFileExtension);
}

}  // namespace

std::string WithoutProfileExtension(const std::string& name) {
    return EndsWithExtension(name) ? name.substr(0, name.size() - ProfileFileExtensionLength)
                                   : name;
}

std::vector<std::string> SortedProfileFiles(const std::string& directory,
                                            const std::vector<std::string>& names) {
    std::vector<std::string> files;
    for (const std::string& name : names) {
        // A file whose name could not be loaded or saved would make an item that does nothing.
        if (EndsWithExtension(name) &&
            CheckProfileName(directory, WithoutProfileExtension(name)) == NameProblem::None) {
            files.push_back(name);
        }
    }
    // Names that differ only in letter case (possible off Windows) keep a fixed order.
    std::sort(files.begin(), files.end(), [](const std::string& a, const std::string& b) {
        const std::string lowerA = Lowered(a), lowerB = Lowered(b);
        return lowerA != lowerB ? lowerA < lowerB : a < b;
    });
    return files;
}

std::string ProfileNameOf(const std::string& fileName, const std::string& displayName) {
    const std::string base = WithoutProfileExtension(fileName);
    // Anything else the shell shows is not taken: stripping ".qvp" from "Pad.qvp", the display
    // name of Pad.qvp.qvp with extensions hidden, would name another file.
    if (SameIgnoringCase(displayName, fileName)) {
        return displayName.substr(0, base.size());
    }
    if (SameIgnoringCase(displayName, base)) return displayName;
    return base;
}

JoystickProfile* ProfileManager::Current() const {
    if (state.CurrentJoystick < 0 || state.CurrentJoystick >= MaxJoysticks) return nullptr;
    return state.profiles[state.CurrentJoystick].get();
}

std::string ProfileManager::CurrentName() const {
    const JoystickProfile* profile = Current();
    return profile ? profile->profileName : std::string();
}

std::vector<ProfileEntry> ProfileManager::ListEntries() const {
    const std::string& directory = state.context.programDirectory;
    std::vector<ProfileEntry> listed;
    for (const std::string& file : SortedProfileFiles(directory, platform::ListFiles(directory))) {
        std::string display;
        if (!platform::GetDisplayName(directory + file, display)) display = file;
        listed.push_back({file, ProfileNameOf(file, display)});
    }
    return listed;
}

void ProfileManager::Refresh() {
    entries = ListEntries();
    // Further files get no item: their identifiers would wrap round into other commands.
    if (entries.size() > MaxProfileEntries) entries.resize(MaxProfileEntries);
    JoystickProfile* profile = Current();
    if (!profile || profile->profileName.empty()) return;
    std::string display;
    // Kept when the file is missing: taking another file's name would make the next save
    // overwrite that file.
    if (platform::GetDisplayName(profile->FilePath(), display)) {
        profile->profileName = ProfileNameOf(profile->profileName + ProfileFileExtension, display);
    }
}

bool SwitchProfile(ApplicationState& state, int id, const std::string& name, Notices& told) {
    JoystickProfile* profile = id >= 0 && id < MaxJoysticks ? state.profiles[id].get() : nullptr;
    if (!profile) return false;
    Note(told, SaveMessage(profile->Save(), profile->FilePath()));
    // A refused file leaves the joystick on its profile: no set-up, nothing changed.
    if (!LoadNoting(*profile, name, told)) return false;
    profile->SetUpDevice();
    return true;
}

bool ProfileManager::Select(uint16_t command) {
    if (!Current() || !IsProfileCommand(command)) return false;
    const size_t index = command - FirstProfileCommand;
    if (index >= entries.size()) return false;
    const int id = state.CurrentJoystick;
    const std::string name = entries[index].profileName;
    if (SwitchProfile(state, id, name, state.notices)) ChosenByHand(state, id, name);
    Refresh();
    return true;
}

int ProfileManager::CurrentEntry() const {
    const std::string name = CurrentName();
    for (size_t i = 0; i < entries.size() && !name.empty(); ++i) {
        if (SameIgnoringCase(entries[i].profileName, name)) return static_cast<int>(i);
    }
    return -1;
}

AddOutcome ProfileManager::Add(const std::string& typed) {
    JoystickProfile* profile = Current();
    if (!profile || typed.empty()) return {AddResult::Ignored, {}};
    std::string name = WithoutProfileExtension(typed);
    switch (CheckProfileName(state.context.programDirectory, name)) {
        case NameProblem::Empty:
            return {AddResult::Refused, EmptyProfileNameMessage()};
        case NameProblem::ForbiddenCharacter:
            return {AddResult::Refused, ForbiddenCharacterMessage()};
        case NameProblem::TooLong:
            return {AddResult::Refused, ProfileNameTooLongMessage()};
        case NameProblem::DeviceName:
            return {AddResult::Refused, DeviceNameMessage(name)};
        case NameProblem::None:
            break;
    }
    // An existing profile typed in another letter case is that profile, also where file names
    // tell letter cases apart.
    for (const ProfileEntry& entry : ListEntries()) {
        if (SameIgnoringCase(entry.profileName, name)) name = entry.profileName;
    }
    // Not saved first: the old profile's unsaved changes are dropped (kept when the file is
    // refused).
    Use(*profile, name);
    Refresh();
    return {AddResult::Added, {}};
}

bool ProfileManager::Use(JoystickProfile& profile, const std::string& name) {
    if (!LoadNoting(profile, name, state.notices)) return false;
    // The current joystick's: a kept profile may sit under another ID than it was made for.
    ChosenByHand(state, state.CurrentJoystick, name);
    return true;
}

std::vector<std::string> ProfileManager::DeleteChoices() const {
    std::vector<std::string> names;
    for (const ProfileEntry& entry : entries) names.push_back(entry.profileName);
    return names;
}

bool ProfileManager::Delete(const std::string& name) {
    const auto found = std::find_if(entries.begin(), entries.end(), [&](const ProfileEntry& entry) {
        return entry.profileName == name;
    });
    if (found == entries.end()) return false;
    const bool removed = platform::RemoveFile(state.context.programDirectory + found->fileName);
    Refresh();
    return removed;
}
