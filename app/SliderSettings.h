// The four settings sliders of the main control window: their ranges and what a move writes.
#pragma once

#include <array>
#include <cstdint>

#include "profiles/Configuration.h"

enum class Setting { Sensitivity, Acceleration, Threshold, PollingDelay };

// In the order the sliders are bound.
constexpr std::array<Setting, 4> AllSettings = {Setting::Sensitivity, Setting::Acceleration,
                                                Setting::Threshold, Setting::PollingDelay};

struct SliderRange {
    int32_t minimum, maximum, lineSize, pageSize, ticFrequency;
};

// The range, steps and tick frequency of a setting's slider.
SliderRange RangeOf(Setting setting);

// The profile's value of a setting.
int32_t SettingValue(const JoystickProfile& profile, Setting setting);

// Writes a slider's value into the current profile and marks the profile modified. A new Polling
// Delay re-times a running poll timer at once; a stopped timer stays stopped. Does nothing while
// the current joystick has no profile.
void ApplySliderValue(ApplicationState& state, Setting setting, int32_t value);
