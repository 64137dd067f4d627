// The event a press picks in the button configuration dialog, and that a reading's active events
// are exactly those the poll fires.
#include <random>

#include "engine/ControlReading.h"
#include "tests/engine/EngineFixture.h"

namespace {

using namespace enginetest;
using platform::JoystickState;

constexpr uint32_t Centred = platform::PovCentred;
// The Threshold's edges around the centre of a 0..65535 axis: the edge itself is at rest.
constexpr uint32_t LowEdge = Mid - 1000, HighEdge = Mid + 1000;

JoystickState AtRest() { return {Mid, Mid, 0, Mid, Mid, Mid, Mid, Centred}; }

class PressToPick : public ::testing::Test {
  protected:
    PressToPick() {
        caps.xMax = caps.yMax = caps.zMax = caps.rMax = caps.uMax = High;
        caps.maxButtons = caps.numButtons = 12;
        caps.hasZ = caps.hasR = caps.hasPov = true;
    }
    // The event a poll reading `current` after `previous` picks.
    int Pick(const JoystickState& previous, const JoystickState& current,
             uint64_t candidates = EveryEvent) const {
        return PickedEvent(previous, current, caps, settings, stick2Axes, candidates);
    }
    int PickFromRest(const JoystickState& current) const { return Pick(AtRest(), current); }

    platform::JoystickCaps caps;
    ProfileSettings settings;
    int32_t stick2Axes = 0;
};

TEST_F(PressToPick, AStickDirectionIsPickedOnlyBeyondTheThresholdByTheSwapFlags) {
    JoystickState reading = AtRest();
    reading.x = HighEdge;
    EXPECT_EQ(PickFromRest(reading), 0);
    reading.x = HighEdge + 1;
    EXPECT_EQ(PickFromRest(reading), DirectionEvent(1));
    const JoystickState right = reading;
    reading.x = High;
    EXPECT_EQ(Pick(right, reading), 0);  // deflected further: the same direction
    reading = AtRest();
    reading.y = LowEdge - 1;
    EXPECT_EQ(PickFromRest(reading), DirectionEvent(0));
    settings.swapY = 1;
    EXPECT_EQ(PickFromRest(reading), DirectionEvent(2));
    settings.swapX = 1;
    reading = AtRest();
    reading.x = LowEdge - 1;
    EXPECT_EQ(PickFromRest(reading), DirectionEvent(1));
    reading.x = LowEdge;
    EXPECT_EQ(PickFromRest(reading), 0);
}

TEST_F(PressToPick, ADiagonalOfTheHatPicksItsFirstDirectionInEventOrder) {
    JoystickState reading = AtRest();
    reading.pov = 31500;  // Up-Left
    EXPECT_EQ(PickFromRest(reading), DpadEvent(0));
    reading.pov = 13500;  // Down-Right
    EXPECT_EQ(PickFromRest(reading), DpadEvent(1));
    JoystickState up = AtRest();
    up.pov = 0;
    reading.pov = 4500;  // Up-Right after Up: only Right is new
    EXPECT_EQ(Pick(up, reading), DpadEvent(1));
    reading.pov = 36000;  // not an angle
    EXPECT_EQ(PickFromRest(reading), 0);
    caps.hasPov = false;
    EXPECT_EQ(PickFromRest(up), 0);
}

TEST_F(PressToPick, ASecondStickOnZAndRTakesZFromTheZAxisEvents) {
    caps.hasU = true;
    JoystickState reading = AtRest();
    reading.z = HighEdge + 1;
    // Automatic takes U and R on this pad: Z is the triggers' axis.
    EXPECT_EQ(PickFromRest(reading), ZHighEvent);
    stick2Axes = static_cast<int32_t>(SecondStickAxes::ZR);
    EXPECT_EQ(PickFromRest(reading), SecondStickEvent(1));
    reading.z = HighEdge;
    EXPECT_EQ(PickFromRest(reading), 0);
    reading.r = LowEdge - 1;
    EXPECT_EQ(PickFromRest(reading), SecondStickEvent(0));
    stick2Axes = static_cast<int32_t>(SecondStickAxes::Automatic);
    reading = AtRest();
    reading.z = LowEdge - 1;
    EXPECT_EQ(PickFromRest(reading), ZLowEvent);
}

TEST_F(PressToPick, OfSeveralPressesTheFirstOfferedIsPickedAndHeldOrUnreportedButtonsNever) {
    JoystickState reading = AtRest();
    reading.buttons = 0x4;  // button 3
    reading.y = Low;
    reading.pov = 0;
    EXPECT_EQ(PickFromRest(reading), DirectionEvent(0));
    EXPECT_EQ(Pick(AtRest(), reading, EveryEvent & ~(uint64_t{1} << DirectionEvent(0))),
              ButtonEvent(3));
    JoystickState held = AtRest();
    held.buttons = 0x4;
    reading = held;
    reading.buttons = 0x4 | 0x10;
    EXPECT_EQ(Pick(held, reading), ButtonEvent(5));
    reading.buttons = 1u << 12;  // button 13: the driver reports 12
    EXPECT_EQ(PickFromRest(reading), 0);
    caps.maxButtons = 40;
    reading.buttons = 1u << 31;
    EXPECT_EQ(PickFromRest(reading), ButtonEvent(32));
}

class PollAndPick : public EngineTest {};

// Every event mapped to nothing is held exactly while the poll finds it active, so the events a
// reading makes active must be the held ones, reading after reading near every edge.
TEST_F(PollAndPick, AReadingsActiveEventsAreExactlyThoseThePollHolds) {
    platform::JoystickCaps& caps = recording::JoystickAt(0).caps;
    caps.maxButtons = 20;
    caps.zMax = caps.rMax = caps.uMax = caps.vMax = High;
    caps.hasZ = caps.hasR = caps.hasU = caps.hasPov = true;
    profile->SetUpDevice();
    profile->stored.settings.progressive = 1;
    Start();
    std::mt19937 generator(17);
    const uint32_t axisValues[] = {Low, LowEdge - 1, LowEdge, Mid, HighEdge, HighEdge + 1, High};
    const uint32_t povValues[] = {0, 2249, 2250, 13500, 22500, 31500, 31499, 35999, 36000, Centred};
    auto pick = [&generator](const auto& values) {
        return values[generator() % (sizeof values / sizeof values[0])];
    };
    for (int poll = 0; poll < 2000; ++poll) {
        ProfileSettings& settings = profile->stored.settings;
        settings.swapX = static_cast<int32_t>(generator() % 2);
        settings.swapY = static_cast<int32_t>(generator() % 2);
        profile->stored.stick2Axes = static_cast<int32_t>(generator() % 5);
        const JoystickState reading = {
            pick(axisValues), pick(axisValues), static_cast<uint32_t>(generator()),
            pick(axisValues), pick(axisValues), pick(axisValues),
            pick(axisValues), pick(povValues)};
        recording::JoystickAt(0).state = reading;
        profile->Poll();
        uint64_t held = 0;
        for (int event = 1; event <= LastEvent; ++event) {
            if (profile->IsHeld(event)) held |= uint64_t{1} << event;
        }
        ASSERT_EQ(ActiveEvents(reading, profile->Caps(), settings, profile->stored.stick2Axes),
                  held)
            << "poll " << poll;
    }
}

}  // namespace
