// Start-up, save and polling decisions of the program shell.
#include "app/ApplicationLogic.h"

#include <algorithm>
#include <cctype>

#include "platform/Platform.h"

bool IsSupportedPlatform(uint32_t platformId) {
    return platformId == PlatformWindows9x || platformId == PlatformWindowsNt;
}

uint16_t DiscoverJoysticks() {
    uint16_t present = 0;
    platform::JoystickCaps caps;
    for (int id = 0; id < MaxJoysticks; ++id) {
        // Without its capabilities a profile would be loaded, and backed up, for no button.
        if (platform::JoystickAnswers(id) && platform::ReadJoystickCaps(id, caps)) {
            present |= static_cast<uint16_t>(1u << id);
        }
    }
    return present;
}

std::string ProgramDirectoryOf(const std::string& executablePath) {
    const size_t slash = executablePath.find_last_of('\\');
    return slash == std::string::npos ? std::string() : executablePath.substr(0, slash + 1);
}

bool AsksToHide(const std::string& commandLine) {
    std::string upper = commandLine;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper.find("HIDE") != std::string::npos;
}

bool StartJoysticks(ApplicationState& state) {
    int first = 0;
    while (first < MaxJoysticks && !state.IsPresent(first)) ++first;
    if (first == MaxJoysticks) {
        state.CurrentJoystick = -1;
        return false;
    }
    state.CurrentJoystick = first;
    SyncPollTimers(state);
    return true;
}

JoystickProfile* CurrentProfile(ApplicationState& state) {
    if (state.CurrentJoystick < 0 || state.CurrentJoystick >= MaxJoysticks) return nullptr;
    return state.profiles[state.CurrentJoystick].get();
}

void SaveCurrentProfile(ApplicationState& state) {
    if (JoystickProfile* profile = CurrentProfile(state)) {
        Note(state.notices, SaveMessage(profile->Save(), profile->FilePath()));
    }
}

bool SaveOnExit(ApplicationState& state) {
    // A second Exit would end the program under the first, which then wrote the configuration
    // again after the profiles were gone: the start-up names instead of those in use.
    if (state.exiting) return false;
    state.exiting = true;
    SaveCurrentProfile(state);
    SaveConfiguration(state);
    return true;
}

std::string ToggleMainWindow(ApplicationState& state, bool visibleNow) {
    SaveConfiguration(state);
    if (!visibleNow) return HideMenuText;
    SaveCurrentProfile(state);
    return ShowMenuText;
}

bool ChangeJoystick(ApplicationState& state, int id) {
    if (id < 0 || id >= MaxJoysticks || !state.IsPresent(id) || !state.profiles[id]) return false;
    SaveCurrentProfile(state);
    state.CurrentJoystick = id;
    return true;
}

void SyncPollTimers(ApplicationState& state) {
    for (int id = 0; id < MaxJoysticks; ++id) {
        JoystickProfile* profile = state.profiles[id].get();
        if (!state.IsPresent(id) || !profile) continue;
        if (state.IsEnabled(id) && !state.paused) {
            profile->StartPolling();
        } else {
            profile->StopPolling();
        }
    }
}

void SetButtonDialogJoystick(ApplicationState& state, int id) {
    const int previous = ButtonDialogJoystick(state);
    state.buttonDialogRecord = id >= 0 && id < MaxJoysticks ? state.padRecords[id].serial : -1;
    RefreshMuting(state, previous);
    RefreshMuting(state, id);
}

int ButtonDialogJoystick(const ApplicationState& state) {
    return state.buttonDialogRecord < 0 ? -1 : IdOfRecord(state, state.buttonDialogRecord);
}

void RefreshMuting(ApplicationState& state, int id) {
    if (id < 0 || id >= MaxJoysticks || !state.profiles[id]) return;
    // While it is open, the dialog's own buttons must not be pressed by mapped keys, nor the
    // pointer dragged off its lists; an "off" rule's joystick sends nothing.
    state.profiles[id]->SetMuted(ButtonDialogJoystick(state) == id ||
                                 state.ruleInForce[id].action == RuleAction::Off);
}

void DeleteProfiles(ApplicationState& state) {
    for (auto& profile : state.profiles) profile.reset();
}
