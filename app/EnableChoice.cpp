// Ticking joysticks for polling and applying the choice.
#include "app/EnableChoice.h"

#include "app/ApplicationLogic.h"

EnableChoice::EnableChoice(const ApplicationState& state)
    : available(state.PresentMask),
      ticked(static_cast<uint16_t>(state.EnabledMask & state.PresentMask)) {
    for (int id = 0; id < MaxJoysticks; ++id) records[id] = state.padRecords[id].serial;
}

void EnableChoice::SetTicked(int id, bool on) {
    if (id < 0 || id >= MaxJoysticks || !IsAvailable(id)) return;
    const uint16_t bit = static_cast<uint16_t>(1u << id);
    ticked = static_cast<uint16_t>(on ? ticked | bit : ticked & ~bit);
}

void EnableChoice::WriteBack(ApplicationState& state) const {
    for (int id = 0; id < MaxJoysticks; ++id) {
        if (!IsAvailable(id)) continue;
        // A pad that left with its box cleared stays silent when it comes back; records absent at
        // opening keep their bits, to poll when their pads arrive.
        const int now = IdOfRecord(state, records[id]);
        if (now < 0) continue;
        const uint16_t bit = static_cast<uint16_t>(1u << now);
        state.EnabledMask = static_cast<uint16_t>(IsTicked(id) ? state.EnabledMask | bit
                                                               : state.EnabledMask & ~bit);
    }
    SyncPollTimers(state);
}
