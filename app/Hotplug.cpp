// Joysticks arriving and leaving after start, the selector's list and the pause switch.
#include "app/Hotplug.h"

#include "app/ApplicationLogic.h"

namespace {

int LowestPresent(const ApplicationState& state) {
    for (int id = 0; id < MaxJoysticks; ++id) {
        if (state.IsPresent(id)) return id;
    }
    return -1;
}

}  // namespace

PresenceChange UpdatePresence(ApplicationState& state, uint16_t answering) {
    PresenceChange change;
    change.arrived = static_cast<uint16_t>(answering & ~state.PresentMask);
    change.left = static_cast<uint16_t>(state.PresentMask & ~answering);
    if (!change.Any()) return change;
    const int current = state.CurrentJoystick;
    const bool currentGone = current < 0 || current >= MaxJoysticks || HasBit(change.left, current);
    if (current >= 0 && current < MaxJoysticks && HasBit(change.left, current)) {
        SaveCurrentProfile(state);
    }
    for (int id = 0; id < MaxJoysticks; ++id) {
        // A failed read already reads as centred; stopping releases what is held at once.
        if (HasBit(change.left, id) && state.profiles[id]) state.profiles[id]->StopPolling();
    }
    state.PresentMask = answering;
    SeatArrivingPads(state, change.arrived);
    for (int id = 0; id < MaxJoysticks; ++id) {
        // Another device may now answer under this ID, with other buttons: it loads the profile
        // afresh, with the button-count rule, as at start.
        if (HasBit(change.arrived, id)) CreateArrivingProfile(state, id);
    }
    if (currentGone) {
        state.CurrentJoystick = LowestPresent(state);
        change.currentChanged = state.CurrentJoystick != current;
    }
    SyncPollTimers(state);
    // Fresh profiles, and records moved with their pads, take the muting their pads have.
    for (int id = 0; id < MaxJoysticks; ++id) RefreshMuting(state, id);
    return change;
}

std::vector<int> SelectorJoysticks(const ApplicationState& state) {
    std::vector<int> listed;
    for (int id = 0; id < MaxJoysticks; ++id) {
        if (state.IsPresent(id)) listed.push_back(id);
    }
    return listed;
}

void SetPaused(ApplicationState& state, bool paused) {
    state.paused = paused;
    if (!paused) {
        SyncPollTimers(state);
        return;
    }
    for (auto& profile : state.profiles) {
        if (profile) profile->StopPolling();
    }
}

std::string TrayTip(const ApplicationState& state) {
    if (state.paused) return PausedTip;
    if (state.PresentMask == 0) return WaitingTip;
    const int current = state.CurrentJoystick;
    if (current >= 0 && current < MaxJoysticks &&
        state.ruleInForce[current].action != RuleAction::Own) {
        return std::string(PlainTip) + " - " + state.ruleInForce[current].rule;
    }
    return PlainTip;
}
