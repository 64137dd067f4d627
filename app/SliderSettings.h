// The four settings sliders of the main control window: one table row each, giving the controls,
// the range and steps, and the profile setting a move writes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "profiles/Configuration.h"
#include "resources/resource.h"

enum class Setting { Sensitivity, Acceleration, Threshold, PollingDelay };

struct SliderRow {
    Setting setting;
    int trackbarId;
    int labelId;  // the static that shows the value
    int32_t minimum, maximum, lineSize, pageSize, ticFrequency;
    int32_t ProfileSettings::*value;
};

// Indexed by Setting, in the order the sliders are bound and their labels set.
inline constexpr std::array<SliderRow, 4> SliderTable = {{
    {Setting::Sensitivity, IDC_SENSITIVITY, IDC_SENSITIVITY_VALUE, 100, 10000, 50, 100, 1000,
     &ProfileSettings::sensitivity},
    {Setting::Acceleration, IDC_ACCELERATION, IDC_ACCELERATION_VALUE, 0, 50, 1, 5, 5,
     &ProfileSettings::acceleration},
    {Setting::Threshold, IDC_THRESHOLD, IDC_THRESHOLD_VALUE, 100, 30000, 50, 100, 1000,
     &ProfileSettings::threshold},
    {Setting::PollingDelay, IDC_POLLING_DELAY, IDC_POLLING_DELAY_VALUE, 0, 1000, 10, 50, 100,
     &ProfileSettings::pollingDelay},
}};

// The row of a setting's slider.
inline const SliderRow& SliderOf(Setting setting) {
    return SliderTable[static_cast<size_t>(setting)];
}

// The row of the slider whose trackbar has the control ID `controlId`; null for any other control.
const SliderRow* SliderWithTrackbar(int controlId);

// The profile's value of a setting.
int32_t SettingValue(const JoystickProfile& profile, Setting setting);

// Writes a slider's value into the current profile and marks the profile modified. A new Polling
// Delay re-times a running poll timer at once; a stopped timer stays stopped. Does nothing while
// the current joystick has no profile.
void ApplySliderValue(ApplicationState& state, Setting setting, int32_t value);
