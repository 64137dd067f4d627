// The working state of the enabling dialog: which joysticks are ticked for polling.
#pragma once

#include <array>
#include <cstdint>

#include "profiles/Configuration.h"

class EnableChoice {
  public:
    // Made as the dialog opens: the joysticks present then can be ticked; those enabled then
    // start ticked. Kept while the dialog is open, whoever comes or goes meanwhile.
    explicit EnableChoice(const ApplicationState& state);

    // Whether joystick `id` was present at opening, so that its box can be ticked.
    bool IsAvailable(int id) const { return (available >> id) & 1u; }
    bool IsTicked(int id) const { return (ticked >> id) & 1u; }
    // Ticks or unticks a box; the box of a joystick absent at opening stays unticked.
    void SetTicked(int id, bool on);

    // OK: the record each box stood for at opening takes the box's tick, under whatever ID it
    // sits now, also when its pad has left since; every other record keeps its bit. Polling
    // follows at once. The caller then writes the configuration file.
    void WriteBack(ApplicationState& state) const;

  private:
    uint16_t available;
    uint16_t ticked;
    // The serial of the record at each ID at opening.
    std::array<int, MaxJoysticks> records{};
};
