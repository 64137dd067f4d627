// The working state of the enabling dialog: which joysticks are ticked for polling.
#pragma once

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

    // OK: the present joysticks' bits become the ticks, absent ones keep theirs, and polling
    // follows at once. The caller then
    // writes the configuration file.
    void WriteBack(ApplicationState& state) const;

  private:
    uint16_t available;
    uint16_t ticked;
};
