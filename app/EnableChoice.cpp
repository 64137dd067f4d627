// Ticking joysticks for polling and applying the choice.
#include "app/EnableChoice.h"

#include "app/ApplicationLogic.h"

EnableChoice::EnableChoice(const ApplicationState& state)
    : available(state.PresentMask),
      ticked(static_cast<uint16_t>(state.EnabledMask & state.PresentMask)) {}

void EnableChoice::SetTicked(int id, bool on) {
    if (id < 0 || id >= MaxJoysticks || !IsAvailable(id)) return;
    const uint16_t bit = static_cast<uint16_t>(1u << id);
    ticked = static_cast<uint16_t>(on ? ticked | bit : ticked & ~bit);
}

void EnableChoice::WriteBack(ApplicationState& state) const {
    // Joysticks absent when the dialog opened keep their bits, to poll when they arrive; one
    // that left with its box cleared stays silent when it comes back.
    state.EnabledMask = static_cast<uint16_t>(ticked | (state.EnabledMask & ~available));
    SyncPollTimers(state);
}
