// The second stick's axes, the extra axes of a reading, and the events a reading makes active.
#include "engine/ControlReading.h"

StickAxes ResolveSecondStick(int32_t stick2Axes, const platform::JoystickCaps& caps) {
    switch (static_cast<SecondStickAxes>(stick2Axes)) {
        case SecondStickAxes::UR:
            return {ExtraAxis::U, ExtraAxis::R};
        case SecondStickAxes::ZR:
            return {ExtraAxis::Z, ExtraAxis::R};
        case SecondStickAxes::RU:
            return {ExtraAxis::R, ExtraAxis::U};
        case SecondStickAxes::ZV:
            return {ExtraAxis::Z, ExtraAxis::V};
        case SecondStickAxes::Automatic:
        default:
            break;
    }
    if (caps.hasU && caps.hasR) return {ExtraAxis::U, ExtraAxis::R};
    if (caps.hasZ && caps.hasR) return {ExtraAxis::Z, ExtraAxis::R};
    return {};
}

bool HasAxis(const platform::JoystickCaps& caps, ExtraAxis axis) {
    return ExtraAxisReading({}, caps, axis).present;
}

AxisReading ExtraAxisReading(const platform::JoystickState& reading,
                             const platform::JoystickCaps& caps, ExtraAxis axis) {
    switch (axis) {
        case ExtraAxis::Z:
            return {reading.z, AxisCentre(caps.zMin, caps.zMax), caps.hasZ};
        case ExtraAxis::R:
            return {reading.r, AxisCentre(caps.rMin, caps.rMax), caps.hasR};
        case ExtraAxis::U:
            return {reading.u, AxisCentre(caps.uMin, caps.uMax), caps.hasU};
        case ExtraAxis::V:
            return {reading.v, AxisCentre(caps.vMin, caps.vMax), caps.hasV};
        case ExtraAxis::None:
            break;
    }
    return {};
}

uint64_t ActiveEvents(const platform::JoystickState& reading, const platform::JoystickCaps& caps,
                      const ProfileSettings& settings, int32_t stick2Axes) {
    const uint32_t zone = static_cast<uint32_t>(settings.threshold);
    AxisReading x{reading.x, AxisCentre(caps.xMin, caps.xMax), true};
    AxisReading y{reading.y, AxisCentre(caps.yMin, caps.yMax), true};
    uint64_t active = uint64_t{StickDirections(DeflectionOf(x, zone), DeflectionOf(y, zone),
                                               settings.swapX != 0, settings.swapY != 0)}
                      << DirectionEvent(0);
    active |= uint64_t{reading.buttons & ExaminedButtons(caps)} << ButtonEvent(1);
    if (caps.hasPov) active |= uint64_t{HatDirections(reading.pov)} << DpadEvent(0);
    // The swap flags are the first stick's alone.
    const StickAxes axes = ResolveSecondStick(stick2Axes, caps);
    AxisReading x2 = ExtraAxisReading(reading, caps, axes.horizontal);
    AxisReading y2 = ExtraAxisReading(reading, caps, axes.vertical);
    active |=
        uint64_t{StickDirections(DeflectionOf(x2, zone), DeflectionOf(y2, zone), false, false)}
        << SecondStickEvent(0);
    if (!axes.Uses(ExtraAxis::Z)) {
        AxisReading z = ExtraAxisReading(reading, caps, ExtraAxis::Z);
        const Deflection half = DeflectionOf(z, zone);
        if (half != Deflection::None) {
            active |= uint64_t{1} << (half == Deflection::Low ? ZLowEvent : ZHighEvent);
        }
    }
    return active;
}

int PickedEvent(const platform::JoystickState& previous, const platform::JoystickState& current,
                const platform::JoystickCaps& caps, const ProfileSettings& settings,
                int32_t stick2Axes, uint64_t candidates) {
    const uint64_t pressed = ActiveEvents(current, caps, settings, stick2Axes) &
                             ~ActiveEvents(previous, caps, settings, stick2Axes) & candidates;
    for (int event = 1; event <= LastEvent; ++event) {
        if ((pressed >> event) & 1u) return event;
    }
    return 0;
}
