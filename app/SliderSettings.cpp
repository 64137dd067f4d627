// Finding a slider and the profile setting it reads and writes.
#include "app/SliderSettings.h"

#include "app/ApplicationLogic.h"

namespace {

constexpr bool RowsFollowSettings() {
    for (size_t i = 0; i < SliderTable.size(); ++i) {
        if (static_cast<size_t>(SliderTable[i].setting) != i) return false;
    }
    return true;
}
static_assert(RowsFollowSettings(), "SliderOf indexes the table by Setting");

}  // namespace

const SliderRow* SliderWithTrackbar(int controlId) {
    for (const SliderRow& row : SliderTable) {
        if (row.trackbarId == controlId) return &row;
    }
    return nullptr;
}

int32_t SettingValue(const JoystickProfile& profile, Setting setting) {
    return profile.Settings().*SliderOf(setting).value;
}

void ApplySliderValue(ApplicationState& state, Setting setting, int32_t value) {
    JoystickProfile* profile = CurrentProfile(state);
    if (!profile) return;
    ProfileSettings settings = profile->Settings();
    settings.*SliderOf(setting).value = value;
    profile->ApplySettings(settings);
    // Every slider marks the profile, the Polling Delay too, so the next save keeps the change.
    profile->modified = true;
    // A running poll timer takes a new period at once.
    if (setting == Setting::PollingDelay) profile->ApplyPollingDelay(value);
}
