// The enabling dialog: which boxes can be ticked, and what OK and Cancel do to polling.
#include "app/EnableChoice.h"
#include "tests/app/ShellFixture.h"

using namespace shelltest;

namespace {

class Enabling : public ShellTest {};

}  // namespace

TEST_F(Enabling, OnlyPresentJoysticksCanBeTicked) {
    Start({0, 2}, 0x0001);
    EnableChoice choice(state);
    EXPECT_TRUE(choice.IsAvailable(2));
    EXPECT_FALSE(choice.IsTicked(2));
    EXPECT_FALSE(choice.IsAvailable(1));
    choice.SetTicked(1, true);
    choice.SetTicked(5, true);
    choice.SetTicked(2, true);
    EXPECT_FALSE(choice.IsTicked(1));
    EXPECT_FALSE(choice.IsTicked(5));
    Forget();
    choice.WriteBack(state);
    EXPECT_EQ(state.EnabledMask, 0x0005);
    EXPECT_EQ(TimerCalls(), (std::vector<recording::Call>{TimerStart(2, 50)}));
}

TEST_F(Enabling, OkWithoutChangeRestartsNothing) {
    Start({0, 1, 2}, 0x0005);
    Forget();
    EnableChoice(state).WriteBack(state);
    EXPECT_EQ(state.EnabledMask, 0x0005);
    EXPECT_TRUE(recording::Calls().empty());
}

TEST_F(Enabling, UntickingAPolledJoystickReleasesItsKeyThenStopsItsTimer) {
    Start({0});
    state.profiles[0]->stored.ActionTable[KeyIndex(Column::Normal, ButtonEvent(2))] = 23;  // Enter
    recording::JoystickAt(0).state.buttons = 2;
    state.profiles[0]->Poll();
    Forget();
    EnableChoice choice(state);
    choice.SetTicked(0, false);
    choice.WriteBack(state);
    EXPECT_EQ(recording::Calls(),
              (std::vector<recording::Call>{recording::KeyUp(0x0D), TimerStop(0)}));
    EXPECT_EQ(state.CurrentJoystick, 0);  // still the joystick the window edits
}

TEST_F(Enabling, OkWithEveryBoxUntickedStopsAllPollingAndAbsentJoysticksKeepTheirBits) {
    Start({3, 7, 8});
    Forget();
    EnableChoice choice(state);
    for (int id = 0; id < MaxJoysticks; ++id) choice.SetTicked(id, false);
    choice.WriteBack(state);
    EXPECT_EQ(state.EnabledMask, 0xFE77);
    EXPECT_EQ(TimerCalls(),
              (std::vector<recording::Call>{TimerStop(3), TimerStop(7), TimerStop(8)}));
}

TEST_F(Enabling, CancelAfterTickingAndUntickingChangesNothing) {
    Start({0, 1}, 0x0001);
    Forget();
    {
        EnableChoice choice(state);
        choice.SetTicked(0, false);
        choice.SetTicked(1, true);
    }
    EXPECT_EQ(state.EnabledMask, 0x0001);
    EXPECT_TRUE(recording::Calls().empty());
}
