// One poll of a joystick: dead zone, pointer and wheel motion with acceleration, and the press,
// re-fire and release decisions for both sticks, the buttons, the D-pad and the Z axis.
// Allocates nothing.
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
// One more than the largest Acceleration: the slowest carry growth at Acceleration 1.
constexpr int32_t AccelerationSpan = 51;

// Whether an axis reading lies in the dead zone (or the axis is missing), by the poll's edges.
bool IsAtRest(AxisReading axis, uint32_t threshold) {
    return DeflectionOf(axis, threshold) == Deflection::None;
}

// (from - to) as a signed 32-bit value, divided with truncation towards zero.
int32_t Pixels(uint32_t from, uint32_t to, int32_t divisor) {
    return static_cast<int32_t>(from - to) / divisor;
}

int32_t WrappingAdd(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

// Wheel units per pixel of stick motion under "Scroll", and per notch.
constexpr int64_t WheelUnitsPerPixel = 24;
constexpr int64_t WheelNotch = 120;
// The most notches one wheel event carries: its amount is a 32-bit value.
constexpr int64_t MostNotches = std::numeric_limits<int32_t>::max() / WheelNotch;
// A remainder is held within this, so adding a poll's units never overflows.
constexpr int64_t RemainderLimit = int64_t{1} << 60;

}  // namespace

void LiveJoystick::Poll() {
    if (!timerRunning) return;
    previousReading = position;
    // A device that does not answer reads as centred with no button down, so what it held is
    // released by the ordinary rules and the next good reading resumes.
    if (!platform::ReadJoystick(joystickId, position)) {
        position = RestingReading();
    }
    // The first poll after a set-up has nothing to compare with: a control already held then is
    // not a new press for whoever watches the readings.
    if (!readSinceSetUp) previousReading = position;
    readSinceSetUp = true;
    ignoringActive = muted || holdOffPending;
    const ProfileSettings& settings = stored.settings;
    PollStick(firstStick, DirectionEvent(0), {position.x, centreX, true},
              {position.y, centreY, true}, settings.swapX != 0, settings.swapY != 0, PollColumn());
    PollButtons();
    if (hasExtras) PollExtras();
    ignoringActive = false;
    holdOffPending = false;
}

// The four directions of a stick, Up, Right, Down, Left, as events firstEvent .. firstEvent + 3.
void LiveJoystick::PollStick(StickState& stick, int firstEvent, AxisReading x, AxisReading y,
                             bool swapX, bool swapY, Column column) {
    const uint32_t zone = static_cast<uint32_t>(stored.settings.threshold);
    const Deflection xAxis = DeflectionOf(x, zone);
    const Deflection yAxis = DeflectionOf(y, zone);

    // Damaged files may hold values the sliders never give; the divisors stay at least 1.
    const int32_t divisor = stored.settings.sensitivity >= 1 ? stored.settings.sensitivity : 1;
    // Only a deflected axis can move the pointer: the division is skipped for one at rest.
    int32_t dy = 0, dx = 0;
    if (yAxis != Deflection::None) {
        dy = WrappingAdd(
            swapY ? Pixels(y.centre, y.position, divisor) : Pixels(y.position, y.centre, divisor),
            stick.yCarry);
    }
    if (xAxis != Deflection::None) {
        dx = WrappingAdd(
            swapX ? Pixels(x.centre, x.position, divisor) : Pixels(x.position, x.centre, divisor),
            stick.xCarry);
    }

    // The carry a moving direction leaves for the next poll, from the streak so far.
    int32_t step = 0;
    const int32_t acceleration = stored.settings.acceleration;
    if (acceleration > 0 && stick.MotionStreak > 0) {
        // The carry grows by one every (AccelerationSpan - Acceleration) moving polls.
        step = stick.MotionStreak /
               (acceleration < AccelerationSpan - 1 ? AccelerationSpan - acceleration : 1);
    }
    // Direction d's bit is its latch bit.
    const uint8_t active = Unignored(StickDirections(xAxis, yAxis, swapX, swapY), stick.ignored);
    const bool up = active & LatchBit(Up), right = active & LatchBit(Right);
    const bool down = active & LatchBit(Down), left = active & LatchBit(Left);

    bool moved = PollDirection(stick, firstEvent + Up, Up, up, column, 0, dy, -step);
    moved |= PollDirection(stick, firstEvent + Right, Right, right, column, dx, 0, step);
    moved |= PollDirection(stick, firstEvent + Down, Down, down, column, 0, dy, step);
    moved |= PollDirection(stick, firstEvent + Left, Left, left, column, dx, 0, -step);
    if (!moved) {
        stick.MotionStreak = 0;
    } else if (stick.MotionStreak < std::numeric_limits<int32_t>::max()) {
        ++stick.MotionStreak;
    }
}

// Handles one direction of a stick; returns true when it moved the pointer or the wheel.
bool LiveJoystick::PollDirection(StickState& stick, int event, int direction, bool active,
                                 Column column, int32_t dx, int32_t dy, int32_t carry) {
    const bool vertical = direction == Up || direction == Down;
    int32_t& axisCarry = vertical ? stick.yCarry : stick.xCarry;
    int64_t& wheel = vertical ? stick.wheelY : stick.wheelX;
    uint8_t& latch = stick.DirectionLatch;
    if (!active) {
        if (latch & LatchBit(direction)) {
            ReleaseEvent(event);
            latch &= ~LatchBit(direction);
        }
        if (latch & MotionBit(direction)) {
            axisCarry = 0;
            wheel = 0;
            latch &= ~MotionBit(direction);
        }
        return false;
    }
    const int32_t choice = stored.Modifier(column, event);
    if (choice == MoveMouseChoice || choice == ScrollChoice) {
        if (stored.settings.acceleration > 0) axisCarry = carry;
        latch |= MotionBit(direction);
        if (choice == MoveMouseChoice) {
            platform::MovePointer(dx, dy);
        } else {
            // Up turns the wheel away from the user (positive), Right to the right.
            TurnWheel(
                wheel, !vertical,
                vertical ? -int64_t{dy} * WheelUnitsPerPixel : int64_t{dx} * WheelUnitsPerPixel);
        }
        return true;
    }
    if (Refires(column, event)) {
        ReleaseEvent(event);
        PressEvent(event);
        latch |= LatchBit(direction);
    } else if (!(latch & LatchBit(direction))) {
        PressEvent(event);
        latch |= LatchBit(direction);
    }
    return false;
}

// Adds units to a remainder and sends what it holds of whole notches as one wheel event.
void LiveJoystick::TurnWheel(int64_t& remainder, bool horizontal, int64_t units) {
    remainder = std::clamp(remainder + units, -RemainderLimit, RemainderLimit);
    const int64_t notches = std::clamp(remainder / WheelNotch, -MostNotches, MostNotches);
    if (notches == 0) return;
    remainder -= notches * WheelNotch;
    platform::TurnWheel(horizontal, static_cast<int32_t>(notches * WheelNotch));
}

// After the button loop: the second stick, the D-pad, then the Z axis, in the column the button
// loop left in force.
void LiveJoystick::PollExtras() {
    const Column column = PollColumn();
    const StickAxes axes = ResolveSecondStick(stored.stick2Axes, caps);
    const uint32_t zone = static_cast<uint32_t>(stored.settings.threshold);
    const AxisReading x = ExtraAxisReading(position, caps, axes.horizontal);
    const AxisReading y = ExtraAxisReading(position, caps, axes.vertical);
    // A stick at rest that holds and moves nothing has nothing to do but end its streak.
    if (secondStick.DirectionLatch == 0 && IsAtRest(x, zone) && IsAtRest(y, zone)) {
        secondStick.MotionStreak = 0;
        secondStick.ignored = 0;
    } else {
        PollStick(secondStick, SecondStickEvent(0), x, y, false, false, column);
    }

    // Bit e - 37 of each D-pad and Z event active now; a diagonal of the hat presses two.
    uint16_t active = caps.hasPov ? HatDirections(position.pov) : uint8_t{0};
    if (!axes.Uses(ExtraAxis::Z)) {
        AxisReading zAxis = ExtraAxisReading(position, caps, ExtraAxis::Z);
        const Deflection z = DeflectionOf(zAxis, zone);
        if (z != Deflection::None) {
            active |= static_cast<uint16_t>(
                1u << ((z == Deflection::Low ? ZLowEvent : ZHighEvent) - FirstExtraEvent));
        }
    }
    active = Unignored(active, ignoredKeys);
    if ((active | keyLatch) == 0) return;
    for (int event : {DpadEvent(Up), DpadEvent(Right), DpadEvent(Down), DpadEvent(Left), ZLowEvent,
                      ZHighEvent}) {
        PollKeyEvent(event, (active >> (event - FirstExtraEvent)) & 1u, column);
    }
}

// The key rules of a direction for a D-pad or Z event: re-fire, or press once and hold while
// active; release when it stops.
void LiveJoystick::PollKeyEvent(int event, bool active, Column column) {
    const uint16_t bit = static_cast<uint16_t>(1u << (event - FirstExtraEvent));
    if (!active) {
        if (keyLatch & bit) {
            ReleaseEvent(event);
            keyLatch &= static_cast<uint16_t>(~bit);
        }
        return;
    }
    if (Refires(column, event)) {
        ReleaseEvent(event);
        PressEvent(event);
    } else if (!(keyLatch & bit)) {
        PressEvent(event);
    }
    keyLatch |= bit;
}

void LiveJoystick::PollButtons() {
    const uint32_t current = Unignored(position.buttons & ExaminedButtons(caps), ignoredButtons);
    const uint32_t previous = previousButtons;
    previousButtons = current;
    // Only a button down now or at the previous poll has anything to do; the loop ends after
    // the highest of them.
    uint32_t pending = current | previous;
    for (uint32_t button = 1; pending != 0; ++button, pending >>= 1) {
        if (!(pending & 1u)) continue;
        const int event = ButtonEvent(static_cast<int>(button));
        const uint32_t bit = 1u << (button - 1);
        if (current & bit) {
            if (Refires(ColumnInForce(), event)) {
                ReleaseEvent(event);
                PressEvent(event);
            } else if (!(previous & bit)) {
                PressEvent(event);
            }
        } else if (previous & bit) {
            ReleaseEvent(event);
        }
    }
}

bool LiveJoystick::Refires(Column column, int event) const {
    if (stored.settings.progressive) return false;
    if (IsKeyboardKey(stored.Key(column, event))) return true;
    const uint8_t* text = stored.Text(column, event);
    return text != nullptr && text[0] != 0;
}
