// The controls beyond the first stick and the buttons: the D-pad, the second stick, the Z axis,
// scrolling with a stick and the wheel keys.
#include "tests/engine/EngineFixture.h"

namespace {

using namespace enginetest;

constexpr int32_t Scroll = ScrollChoice;
constexpr uint32_t Centred = platform::PovCentred;

class WholeController : public EngineTest {
  protected:
    // A pad with every axis over 0..65535 and a hat, set up afresh.
    void WithAxes(bool z, bool r, bool u, bool v, bool pov = true) {
        platform::JoystickCaps& caps = recording::JoystickAt(0).caps;
        caps.zMax = caps.rMax = caps.uMax = caps.vMax = High;
        caps.hasZ = z, caps.hasR = r, caps.hasU = u, caps.hasV = v, caps.hasPov = pov;
        profile->SetUpDevice();
    }
    Input PollFull(uint32_t x, uint32_t y, uint32_t z, uint32_t r, uint32_t u, uint32_t v,
                   uint32_t pov = Centred, uint32_t buttons = 0) {
        recording::JoystickAt(0).state = {x, y, buttons, z, r, u, v, pov};
        profile->Poll();
        return recording::TakeInput();
    }
    Input PollPov(uint32_t pov) { return PollFull(Mid, Mid, Mid, Mid, Mid, Mid, pov); }
};

constexpr int VkA = 'A', VkB = 'B', VkC = 'C', VkD = 'D', VkZ = 'Z', VkX = 'X';

TEST_F(WholeController, DpadSectorsPressOneDirectionOrTwoOnADiagonal) {
    WithAxes(false, false, false, false);
    profile->stored.settings.progressive = 1;
    Map(DpadEvent(0), 0, 0, "a");
    Map(DpadEvent(1), 0, 0, "b");
    Map(DpadEvent(2), 0, 0, "c");
    Map(DpadEvent(3), 0, 0, "d");
    Start();
    EXPECT_EQ(PollPov(0), Input{Down(VkA)});
    EXPECT_EQ(PollPov(2249), Input{});           // still sector 0
    EXPECT_EQ(PollPov(2250), Input{Down(VkB)});  // Up-Right: both held
    EXPECT_EQ(PollPov(9000), Input{Up(VkA)});
    EXPECT_EQ(PollPov(22500), (Input{Up(VkB), Down(VkC), Down(VkD)}));  // Down-Left
    EXPECT_EQ(PollPov(31500), (Input{Down(VkA), Up(VkC)}));             // Up-Left
    EXPECT_EQ(PollPov(35999), Input{Up(VkD)});
    EXPECT_EQ(PollPov(36000), Input{Up(VkA)});  // not an angle: at rest
    EXPECT_EQ(PollPov(0), Input{Down(VkA)});
    EXPECT_EQ(PollPov(Centred), Input{Up(VkA)});
}

TEST_F(WholeController, SecondStickFollowsTheFirstSticksRulesWithItsOwnCarriesAndStreak) {
    WithAxes(false, true, true, false);  // automatic: U horizontal, R vertical
    profile->stored.settings.acceleration = 50;
    profile->stored.settings.sensitivity = 6000;
    for (int direction = 0; direction < 4; ++direction) {
        Map(DirectionEvent(direction), MoveMouseChoice, 0);
        Map(SecondStickEvent(direction), MoveMouseChoice, 0);
    }
    profile->stored.settings.swapX = 1;  // the swap flags are the first stick's alone
    Start();
    const uint32_t readings[][2] = {{High, Mid}, {High, Mid}, {High, Low}, {High, Low},
                                    {Mid, Low},  {Mid, Mid},  {Low, High}, {Low, High}};
    Input first, second;
    for (const auto& reading : readings) {
        for (const recording::Call& call :
             PollFull(Low + High - reading[0], reading[1], Mid, Mid, Mid, Mid)) {
            first.push_back(call);
        }
    }
    profile->stored.settings.swapX = 0;
    profile->ReleaseHeld();
    for (const auto& reading : readings) {
        for (const recording::Call& call : PollFull(Mid, Mid, Mid, reading[1], reading[0], Mid)) {
            second.push_back(call);
        }
    }
    EXPECT_EQ(first.size(), 11u);
    EXPECT_EQ(second, first);
}

TEST_F(WholeController, ZAxisKeysExistOnlyWhileTheSecondStickLeavesZAlone) {
    WithAxes(true, true, false, false);  // automatic: the second stick on Z and R
    Map(ZLowEvent, 0, Escape);
    Map(ZHighEvent, BtnCtrl, 0);
    Map(SecondStickEvent(1), 0, 0, "x");  // Stick 2 Right
    profile->stored.settings.progressive = 1;
    Start();
    EXPECT_EQ(PollFull(Mid, Mid, High, Mid, Mid, Mid), Input{Down(VkX)});
    EXPECT_EQ(PollFull(Mid, Mid, Mid, Mid, Mid, Mid), Input{Up(VkX)});

    profile->stored.stick2Axes = static_cast<int32_t>(SecondStickAxes::UR);  // the pad lacks U
    EXPECT_EQ(PollFull(Mid, Mid, High, Mid, Mid, Mid), Input{Down(VkControl)});
    // Z Axis - comes before Z Axis +.
    EXPECT_EQ(PollFull(Mid, Mid, Low, Mid, Mid, Mid), (Input{Down(0x1B), Up(VkControl)}));
    // The edge of the dead zone is inside it.
    EXPECT_EQ(PollFull(Mid, Mid, Mid - 1000, Mid, Mid, Mid), Input{Up(0x1B)});
    profile->stored.stick2Axes = 77;  // counts as automatic
    EXPECT_EQ(PollFull(Mid, Mid, Low, Mid, Mid, Mid), Input{});
}

TEST_F(WholeController, ScrollSendsWholeNotchesKeepsTheRestAndForgetsItWhenTheStickRests) {
    WithAxes(false, false, false, false);
    profile->stored.settings.acceleration = 0;
    profile->stored.settings.sensitivity = 6000;  // full deflection: 5 pixels, 120 units
    Map(DirectionEvent(0), Scroll, 0);
    Map(DirectionEvent(1), Scroll, 0);
    Start();
    EXPECT_EQ(PollAt(Mid, Low), Input{recording::Wheel(120)});  // Up: away from the user
    // 2 pixels right: 48 units a poll, a notch at the third poll with 24 kept.
    const uint32_t twoPixels = Mid + 1000 + 12000;
    EXPECT_EQ(PollAt(twoPixels, Mid), Input{});
    EXPECT_EQ(PollAt(twoPixels, Mid), Input{});
    EXPECT_EQ(PollAt(twoPixels, Mid), Input{recording::HWheel(120)});
    EXPECT_EQ(PollAt(twoPixels, Mid), Input{});  // 24 + 48
    EXPECT_EQ(PollAt(twoPixels, Mid), Input{recording::HWheel(120)});
    EXPECT_EQ(PollAt(twoPixels, Mid), Input{});  // 48 kept
    EXPECT_EQ(PollAt(Mid, Mid), Input{});        // at rest: the rest is forgotten
    EXPECT_EQ(PollAt(twoPixels, Mid), Input{});
    EXPECT_EQ(PollAt(twoPixels, Mid), Input{});
    EXPECT_EQ(PollAt(twoPixels, Mid), Input{recording::HWheel(120)});
    // A pointer-sized deflection turns several notches in one event.
    profile->stored.settings.sensitivity = 1000;
    EXPECT_EQ(PollAt(Mid, Mid), Input{});
    EXPECT_EQ(PollAt(Mid, High), Input{});  // Down is not mapped
    EXPECT_EQ(PollAt(Mid, Low), Input{recording::Wheel(31 * 24 / 120 * 120)});
}

TEST_F(WholeController, WheelKeysTurnOneNotchPerPollUnlessProgressive) {
    Map(ButtonEvent(1), 0, WheelDown);
    Map(ButtonEvent(2), 0, WheelLeft);
    Start();
    EXPECT_EQ(PollButtons(1), Input{recording::Wheel(-120)});
    EXPECT_EQ(PollButtons(1), Input{recording::Wheel(-120)});
    EXPECT_EQ(PollButtons(0), Input{});
    profile->stored.settings.progressive = 1;
    EXPECT_EQ(PollButtons(2), Input{recording::HWheel(-120)});
    EXPECT_EQ(PollButtons(2), Input{});
    EXPECT_EQ(PollButtons(0), Input{});
}

TEST_F(WholeController, StoppingReleasesWhatTheDpadAndZAxisHold) {
    WithAxes(true, false, false, false);
    profile->stored.settings.progressive = 1;
    Map(DpadEvent(2), BtnShift, 0);
    Map(ZHighEvent, 0, 0, "z");
    Start();
    EXPECT_EQ(PollFull(Mid, Mid, High, Mid, Mid, Mid, 18000), (Input{Down(VkShift), Down(VkZ)}));
    profile->StopPolling();
    EXPECT_EQ(recording::TakeInput(), (Input{Up(VkShift), Up(VkZ)}));
}

}  // namespace
