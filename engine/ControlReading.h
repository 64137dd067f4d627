// How a reading of the device becomes active controls: the dead zone, a stick's directions, the
// hat's sectors, the second stick's axes and the buttons examined. The poll fires by these rules,
// and the button configuration dialog picks the event a press makes active by the same ones.
#pragma once

#include <cstdint>

#include "engine/StoredProfile.h"
#include "platform/Platform.h"

// An axis besides X and Y.
enum class ExtraAxis : uint8_t { None, Z, R, U, V };
struct StickAxes {
    ExtraAxis horizontal = ExtraAxis::None, vertical = ExtraAxis::None;
    bool Uses(ExtraAxis axis) const { return horizontal == axis || vertical == axis; }
};
// The axes the second stick reads for a stored choice (SecondStickAxes) on a device with these
// capabilities: a set choice as it is; Automatic is (U, R) where the device has both, else (Z, R),
// else none.
StickAxes ResolveSecondStick(int32_t stick2Axes, const platform::JoystickCaps& caps);
// Whether the device reports that axis; never for None.
bool HasAxis(const platform::JoystickCaps& caps, ExtraAxis axis);

// The centre of an axis's range: added as unsigned 32-bit values, then halved; the fraction is
// dropped.
constexpr uint32_t AxisCentre(uint32_t min, uint32_t max) { return (min + max) >> 1; }

// One axis of a stick as read now: its position and centre; absent axes never deflect.
struct AxisReading {
    uint32_t position = 0, centre = 0;
    bool present = false;
};
// An extra axis in a reading, centred on the device's range; not present for None or an axis
// the device lacks.
AxisReading ExtraAxisReading(const platform::JoystickState& reading,
                             const platform::JoystickCaps& caps, ExtraAxis axis);

enum class Deflection { None, Low, High };

// Classifies a position against the dead zone and pulls it towards the centre by the Threshold,
// so motion starts from 0 at the zone's edge. Compared as unsigned 32-bit values; an edge that
// would lie below 0 or above 2^32 - 1 cannot be crossed, since wrapping it around would keep a
// stick at rest deflected (a small device range with a large Threshold).
inline Deflection ApplyDeadZone(uint32_t& position, uint32_t centre, uint32_t threshold) {
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

// ApplyDeadZone on a present axis; None, the position untouched, for an absent one.
inline Deflection DeflectionOf(AxisReading& axis, uint32_t threshold) {
    return axis.present ? ApplyDeadZone(axis.position, axis.centre, threshold) : Deflection::None;
}

// The directions of a stick its two deflections make active: bit 0 Up, 1 Right, 2 Down, 3 Left.
// Up is the low side of the vertical axis and Right the high side of the horizontal one, unless
// swapped.
inline uint8_t StickDirections(Deflection horizontal, Deflection vertical, bool swapX, bool swapY) {
    unsigned directions = 0;
    if (vertical != Deflection::None) {
        directions |= (vertical == Deflection::Low) != swapY ? 0x1u : 0x4u;
    }
    if (horizontal != Deflection::None) {
        directions |= (horizontal == Deflection::High) != swapX ? 0x2u : 0x8u;
    }
    return static_cast<uint8_t>(directions);
}

// The directions a hat angle makes active, as StickDirections numbers them: eight sectors of 45
// degrees, the first centred on forward; each direction covers three, so a diagonal makes two
// active. None at rest (PovCentred, or any value from 36000 on).
inline uint8_t HatDirections(uint32_t pov) {
    constexpr uint32_t FullCircle = 36000, HalfSector = 2250, Sector = 4500;
    static constexpr uint8_t SectorDirections[8] = {0x1, 0x3, 0x2, 0x6, 0x4, 0xC, 0x8, 0x9};
    return pov < FullCircle ? SectorDirections[((pov + HalfSector) / Sector) % 8] : 0;
}

// The buttons a poll examines, bit b - 1 for button b: as many as the driver reports, at most 32.
inline uint32_t ExaminedButtons(const platform::JoystickCaps& caps) {
    return caps.maxButtons >= MaxButtons ? 0xFFFFFFFFu : (1u << caps.maxButtons) - 1;
}

// Bit e set for each event 1..46 that a poll of this reading finds active, whatever it is mapped
// to: a stick direction or a Z half beyond the Threshold, a button the poll examines, a D-pad
// direction. Z counts only while the second stick leaves it.
uint64_t ActiveEvents(const platform::JoystickState& reading, const platform::JoystickCaps& caps,
                      const ProfileSettings& settings, int32_t stick2Axes);

// Every event 1..46.
constexpr uint64_t EveryEvent = ((uint64_t{1} << LastEvent) - 1) << 1;

// The event a press picks: the first in event order among `candidates` (bit e: event e) that is
// active in `current` and was not in `previous`, both read by the same settings; 0 when none.
int PickedEvent(const platform::JoystickState& previous, const platform::JoystickState& current,
                const platform::JoystickCaps& caps, const ProfileSettings& settings,
                int32_t stick2Axes, uint64_t candidates = EveryEvent);
