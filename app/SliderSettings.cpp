// Slider ranges and the profile settings they write.
#include "app/SliderSettings.h"

#include "app/ApplicationLogic.h"
#include "platform/Platform.h"

namespace {

// The setting's field, const or not with the profile.
template <typename Profile>
auto& SettingOf(Profile& profile, Setting setting) {
    switch (setting) {
        case Setting::Sensitivity:
            return profile.stored.settings.sensitivity;
        case Setting::Acceleration:
            return profile.stored.settings.acceleration;
        case Setting::Threshold:
            return profile.stored.settings.threshold;
        case Setting::PollingDelay:
            break;
    }
    return profile.stored.settings.pollingDelay;
}

}  // namespace

SliderRange RangeOf(Setting setting) {
    switch (setting) {
        case Setting::Sensitivity:
            return {100, 10000, 50, 100, 1000};
        case Setting::Acceleration:
            return {0, 50, 1, 5, 5};
        case Setting::Threshold:
            return {100, 30000, 50, 100, 1000};
        case Setting::PollingDelay:
            break;
    }
    return {0, 1000, 10, 50, 100};
}

int32_t SettingValue(const JoystickProfile& profile, Setting setting) {
    return SettingOf(profile, setting);
}

void ApplySliderValue(ApplicationState& state, Setting setting, int32_t value) {
    JoystickProfile* profile = CurrentProfile(state);
    if (!profile) return;
    SettingOf(*profile, setting) = value;
    // Every slider marks the profile, the Polling Delay too, so the next save keeps the change.
    profile->modified = true;
    // Starting a running timer again with the same identifier replaces its period.
    if (setting == Setting::PollingDelay && profile->IsPolling()) {
        platform::StartTimer(profile->joystickId, value);
    }
}
