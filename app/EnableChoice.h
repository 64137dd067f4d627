// The working state of the enabling dialog: which joysticks are ticked for polling.
#pragma once

#include <array>
#include <cstdint>

#include "profiles/Configuration.h"

class EnableChoice {
  public:
    // Present joysticks can be ticked; those enabled now start ticked.
    explicit EnableChoice(const ApplicationState& state);

    // Whether joystick `id` is present, so that its box can be ticked.
    bool IsAvailable(int id) const { return (available >> id) & 1u; }
    bool IsTicked(int id) const { return (ticked >> id) & 1u; }
    // Ticks or unticks a box; an absent joystick's box stays unticked.
    void SetTicked(int id, bool on);

    // OK: the record each box stood for at opening takes the box's tick while its pad is present,
    // under whatever ID the pad came back meanwhile; every other record keeps its bit. Polling
    // follows at once. The caller then writes the configuration file.
    void WriteBack(ApplicationState& state) const;

  private:
    uint16_t available;
    uint16_t ticked;
    // The serial of the record at each ID at opening.
    std::array<int, MaxJoysticks> records{};
};
