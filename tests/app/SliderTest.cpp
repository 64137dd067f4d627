// The settings sliders: a move writes the current profile, is saved with it, and a new Polling
// Delay re-times a polled joystick at once.
#include <utility>

#include "app/SliderSettings.h"
#include "tests/app/ShellFixture.h"

using namespace shelltest;

namespace {

class Sliders : public ShellTest {
  protected:
    struct Settings {
        int32_t sensitivity, acceleration, threshold, pollingDelay;
    };
    // The settings the profile's file holds now.
    Settings SavedSettings(const std::string& name) {
        JoystickProfile saved(state.context, 15);
        saved.profileName = name;
        saved.Load();
        const ProfileSettings& s = saved.Settings();
        return {s.sensitivity, s.acceleration, s.threshold, s.pollingDelay};
    }
};

}  // namespace

TEST_F(Sliders, SensitivityAccelerationAndThresholdAreSavedOnHide) {
    Start({0});
    ApplySliderValue(state, Setting::Sensitivity, 250);
    ApplySliderValue(state, Setting::Acceleration, 0);
    ApplySliderValue(state, Setting::Threshold, 30000);
    ToggleMainWindow(state, true);
    const Settings saved = SavedSettings("P0");
    EXPECT_EQ(saved.sensitivity, 250);
    EXPECT_EQ(saved.acceleration, 0);
    EXPECT_EQ(saved.threshold, 30000);
}

TEST_F(Sliders, APollingDelayChangeAloneIsSavedOnExit) {
    Start({0});
    Forget();
    ApplySliderValue(state, Setting::PollingDelay, 120);
    SaveOnExit(state);
    EXPECT_EQ(recording::WrittenPaths(), (std::vector<std::string>{ProfilePath("P0"), ConfigPath}));
    EXPECT_EQ(SavedSettings("P0").pollingDelay, 120);
}

TEST_F(Sliders, PollingDelayRetimesAPolledJoystickAtOnce) {
    Start({0});
    Forget();
    ApplySliderValue(state, Setting::PollingDelay, 10);
    ApplySliderValue(state, Setting::PollingDelay, 0);
    EXPECT_EQ(TimerCalls(), (std::vector<recording::Call>{TimerStart(0, 10), TimerStart(0, 0)}));
    EXPECT_TRUE(state.profiles[0]->IsPolling());
}

TEST_F(Sliders, PollingDelayOfAStoppedJoystickWaitsForItsNextStart) {
    Start({0}, 0x0000);
    Forget();
    ApplySliderValue(state, Setting::PollingDelay, 200);
    EXPECT_TRUE(TimerCalls().empty());
    state.EnabledMask = 0x0001;
    SyncPollTimers(state);
    EXPECT_EQ(TimerCalls(), (std::vector<recording::Call>{TimerStart(0, 200)}));
}

TEST_F(Sliders, OnlyTheCurrentJoysticksProfileChanges) {
    Start({0, 1});
    ASSERT_TRUE(ChangeJoystick(state, 1));
    ApplySliderValue(state, Setting::Threshold, 5000);
    EXPECT_EQ(state.profiles[1]->stored.settings.threshold, 5000);
    EXPECT_EQ(state.profiles[0]->stored.settings.threshold, 1000);
    EXPECT_FALSE(state.profiles[0]->modified);
}

TEST(SliderTable, ATrackbarFindsTheSliderOfItsOwnSettingAndALabelFindsNone) {
    // The trackbars are numbered Sensitivity 1006, Threshold 1008, Acceleration 1010, Polling
    // Delay 1012: not in the order the sliders are bound.
    const std::pair<int, Setting> trackbars[] = {{1006, Setting::Sensitivity},
                                                 {1008, Setting::Threshold},
                                                 {1010, Setting::Acceleration},
                                                 {1012, Setting::PollingDelay}};
    for (const auto& [controlId, setting] : trackbars) {
        const SliderRow* row = SliderWithTrackbar(controlId);
        ASSERT_NE(row, nullptr) << controlId;
        EXPECT_EQ(row->setting, setting) << controlId;
        EXPECT_EQ(row->labelId, controlId + 1) << controlId;
    }
    for (int label : {1007, 1009, 1011, 1013, 0}) EXPECT_EQ(SliderWithTrackbar(label), nullptr);
}
