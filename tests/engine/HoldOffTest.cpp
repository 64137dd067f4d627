// Muting a joystick and holding off its controls: nothing is sent while muted, and a control
// held across a mute's end or a hold-off fires nothing until it has been released.
#include "tests/engine/EngineFixture.h"

namespace {

using namespace enginetest;

constexpr uint32_t Centred = platform::PovCentred;
constexpr int VkA = 'A';

class HoldOff : public EngineTest {
  protected:
    HoldOff() {
        platform::JoystickCaps& caps = recording::JoystickAt(0).caps;
        caps.zMax = High;
        caps.hasZ = caps.hasPov = true;
        profile->SetUpDevice();
        profile->stored.settings.progressive = 1;
        Map(ButtonEvent(1), 0, Enter);
        Map(DirectionEvent(0), DirMoveMouse, 0);
        Map(DpadEvent(0), 0, 0, "a");
        Map(ZHighEvent, 0, Escape);
        Start();
    }
    // Button 1, the stick up, the D-pad up and Z high all at once, or all at rest.
    Input PollAll(bool active) {
        recording::JoystickAt(0).state = {
            Mid, active ? Low : Mid,   active ? 1u : 0u, active ? High : Mid, Mid, Mid,
            Mid, active ? 0u : Centred};
        profile->Poll();
        return recording::TakeInput();
    }
};

TEST_F(HoldOff, AMutedJoystickReleasesWhatItHoldsSendsNothingAndResumesOnlyAfterARelease) {
    EXPECT_EQ(PollAll(true).size(), 4u);  // Enter, the move, A and Escape
    profile->SetMuted(true);
    EXPECT_EQ(recording::TakeInput(), (Input{Up(VkReturn), Up(VkA), Up(VkEscape)}));
    EXPECT_EQ(PollAll(true), Input{});
    EXPECT_EQ(PollAll(false), Input{});
    EXPECT_EQ(PollAll(true), Input{});  // a press while muted is not kept for later
    // Held when the mute ends: nothing until let go.
    profile->SetMuted(false);
    EXPECT_EQ(PollAll(true), Input{});
    EXPECT_EQ(PollAll(false), Input{});
    EXPECT_EQ(PollAll(true).size(), 4u);
    EXPECT_EQ(profile->Reading().buttons, 1u);
    EXPECT_EQ(profile->PreviousReading().buttons, 0u);
}

TEST_F(HoldOff, AControlHeldAcrossAHoldOffFiresNothingUntilReleasedWhileOthersFire) {
    Map(ButtonEvent(2), 0, UpArrow);
    EXPECT_EQ(PollButtons(1), Input{Down(VkReturn)});
    profile->HoldOff();
    EXPECT_EQ(recording::TakeInput(), Input{Up(VkReturn)});
    EXPECT_EQ(PollButtons(1), Input{});
    EXPECT_EQ(PollButtons(1 | 2), Input{Down(VkUp)});  // pressed after the hold-off: fires
    EXPECT_EQ(PollButtons(2), Input{});
    EXPECT_EQ(PollButtons(1 | 2), Input{Down(VkReturn)});
}

TEST_F(HoldOff, APressAfterTheLastMutedPollAndOneHeldAcrossASetUpAreNoNewPresses) {
    profile->SetMuted(true);
    PollAll(false);
    profile->SetMuted(false);  // pressed between the last muted poll and the end of the mute
    EXPECT_EQ(PollAll(true), Input{});
    profile->SetUpDevice();  // a profile chosen meanwhile: the first reading has none before it
    PollAll(true);
    EXPECT_EQ(profile->PreviousReading().buttons, profile->Reading().buttons);
}

}  // namespace
