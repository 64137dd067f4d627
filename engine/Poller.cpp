// One poll of a joystick: dead zone, pointer motion with acceleration, and the press, re-fire
// and release decisions for directions and buttons. Allocates nothing.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "engine/LiveJoystick.h"
#include "platform/Platform.h"

namespace {

// Latch bit (pressed) and motion bit (moving the pointer) of a direction 0..3.
constexpr uint8_t LatchBit(int direction) { return static_cast<uint8_t>(1u << direction); }
constexpr uint8_t MotionBit(int direction) { return static_cast<uint8_t>(0x10u << direction); }
constexpr int Up = 0, Right = 1, Down = 2, Left = 3;
// The motion bits of all four directions; the low four are the latch bits.
constexpr uint8_t MotionBits = 0xF0;
// One more than the largest Acceleration: the slowest carry growth at Acceleration 1.
constexpr int32_t AccelerationSpan = 51;

enum class Deflection { None, Low, High };

// Classifies a position against the dead zone and pulls it towards the centre by the Threshold,
// so motion starts from 0 at the zone's edge. Compared as unsigned 32-bit values; an edge that
// would lie below 0 or above 2^32 - 1 cannot be crossed, since wrapping it around would keep a
// stick at rest deflected (a small device range with a large Threshold).
Deflection ApplyDeadZone(uint32_t& position, uint32_t centre, uint32_t threshold) {
    if (centre <= UINT32_MAX - threshold && position > centre + threshold) {
        position -= threshold;
        return Deflection::High;
    }
    if (centre >= threshold && position < centre - threshold) {
        position += threshold;
        return Deflection::Low;
    }
    return Deflection::None;
}

// (from - to) as a signed 32-bit value, divided with truncation towards zero.
int32_t Pixels(uint32_t from, uint32_t to, int32_t divisor) {
    return static_cast<int32_t>(from - to) / divisor;
}

int32_t WrappingAdd(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

}  // namespace

void LiveJoystick::Poll() {
    if (!timerRunning) return;
    previousButtons = position.buttons;
    // A device that does not answer reads as centred with no button down, so what it held is
    // released by the ordinary rules and the next good reading resumes.
    if (!platform::ReadJoystick(joystickId, position)) position = {centreX, centreY, 0};

    const uint32_t zone = static_cast<uint32_t>(stored.settings.threshold);
    const Deflection xAxis = ApplyDeadZone(position.x, centreX, zone);
    const Deflection yAxis = ApplyDeadZone(position.y, centreY, zone);

    // Damaged files may hold values the sliders never give; the divisors stay at least 1.
    const int32_t divisor = stored.settings.sensitivity >= 1 ? stored.settings.sensitivity : 1;
    // Only a deflected axis can move the pointer: the division is skipped for one at rest.
    int32_t dy = 0, dx = 0;
    if (yAxis != Deflection::None) {
        dy = WrappingAdd(stored.settings.swapY ? Pixels(centreY, position.y, divisor)
                                               : Pixels(position.y, centreY, divisor),
                         yCarry);
    }
    if (xAxis != Deflection::None) {
        dx = WrappingAdd(stored.settings.swapX ? Pixels(centreX, position.x, divisor)
                                               : Pixels(position.x, centreX, divisor),
                         xCarry);
    }
    const Deflection upSide = stored.settings.swapY ? Deflection::High : Deflection::Low;
    const Deflection rightSide = stored.settings.swapX ? Deflection::Low : Deflection::High;

    const Column column = ShiftActive && stored.shiftButton != 0 ? Column::Shifted : Column::Normal;
    // The carry a moving direction leaves for the next poll, from the streak so far.
    int32_t step = 0;
    if (stored.settings.acceleration > 0 && MotionStreak > 0) {
        // The carry grows by one every (AccelerationSpan - Acceleration) moving polls.
        const int32_t acceleration = stored.settings.acceleration;
        step = MotionStreak /
               (acceleration < AccelerationSpan - 1 ? AccelerationSpan - acceleration : 1);
    }
    const bool up = yAxis != Deflection::None && yAxis == upSide;
    const bool down = yAxis != Deflection::None && yAxis != upSide;
    const bool right = xAxis != Deflection::None && xAxis == rightSide;
    const bool left = xAxis != Deflection::None && xAxis != rightSide;

    bool moved = PollDirection(Up, up, column, 0, dy, -step);
    moved |= PollDirection(Right, right, column, dx, 0, step);
    moved |= PollDirection(Down, down, column, 0, dy, step);
    moved |= PollDirection(Left, left, column, dx, 0, -step);
    if (!moved) {
        MotionStreak = 0;
    } else if (MotionStreak < std::numeric_limits<int32_t>::max()) {
        ++MotionStreak;
    }
    PollButtons();
}

// Handles one direction; returns true when it moved the pointer.
bool LiveJoystick::PollDirection(int direction, bool active, Column column, int32_t dx, int32_t dy,
                                 int32_t carry) {
    const int event = DirectionEvent(direction);
    int32_t& axisCarry = direction == Up || direction == Down ? yCarry : xCarry;
    if (!active) {
        if (DirectionLatch & LatchBit(direction)) {
            ReleaseEvent(event);
            DirectionLatch &= ~LatchBit(direction);
        }
        if (DirectionLatch & MotionBit(direction)) {
            axisCarry = 0;
            DirectionLatch &= ~MotionBit(direction);
        }
        return false;
    }
    if (stored.ActionTable[ModifierIndex(column, event)] == MoveMouseChoice) {
        if (stored.settings.acceleration > 0) axisCarry = carry;
        DirectionLatch |= MotionBit(direction);
        platform::MovePointer(dx, dy);
        return true;
    }
    if (Refires(column, event)) {
        ReleaseEvent(event);
        PressEvent(event);
        DirectionLatch |= LatchBit(direction);
    } else if (!(DirectionLatch & LatchBit(direction))) {
        PressEvent(event);
        DirectionLatch |= LatchBit(direction);
    }
    return false;
}

void LiveJoystick::PollButtons() {
    const uint32_t count = std::min<uint32_t>(caps.maxButtons, MaxButtons);
    const uint32_t examined = count == 32 ? 0xFFFFFFFFu : (1u << count) - 1;
    const uint32_t current = position.buttons;
    // Only a button down now or at the previous poll has anything to do; the loop ends after
    // the highest of them.
    uint32_t pending = (current | previousButtons) & examined;
    for (uint32_t button = 1; pending != 0; ++button, pending >>= 1) {
        if (!(pending & 1u)) continue;
        const int event = ButtonEvent(static_cast<int>(button));
        const uint32_t bit = 1u << (button - 1);
        if (current & bit) {
            if (Refires(ColumnInForce(), event)) {
                ReleaseEvent(event);
                PressEvent(event);
            } else if (!(previousButtons & bit)) {
                PressEvent(event);
            }
        } else if (previousButtons & bit) {
            ReleaseEvent(event);
        }
    }
}

bool LiveJoystick::Refires(Column column, int event) const {
    if (stored.settings.progressive) return false;
    if (IsKeyboardKey(stored.ActionTable[KeyIndex(column, event)])) return true;
    const uint8_t* text = stored.SlotText(TextSlot(column, event));
    return text != nullptr && text[0] != 0;
}

void LiveJoystick::StartPolling() {
    if (timerRunning) return;
    timerRunning = true;
    platform::StartTimer(joystickId, stored.settings.pollingDelay);
}

void LiveJoystick::ApplyPollingDelay(int32_t delayMs) {
    stored.settings.pollingDelay = delayMs;
    // Starting a running timer again with the same identifier replaces its period.
    if (timerRunning) platform::StartTimer(joystickId, delayMs);
}

void LiveJoystick::StopPolling() {
    if (!timerRunning) return;
    ReleaseHeld();
    timerRunning = false;
    platform::StopTimer(joystickId);
}

void LiveJoystick::ReleaseHeld() {
    for (int event = 1; event <= EventCount; ++event) {
        if (IsHeld(event)) ReleaseEvent(event);
    }
    DirectionLatch &= MotionBits;
    position.buttons = 0;
    previousButtons = 0;
    ShiftActive = false;
}
