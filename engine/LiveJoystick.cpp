// Construction, destruction and device set-up of a live joystick, starting and stopping its
// polls, and letting go of what it holds.
#include "engine/LiveJoystick.h"

#include <algorithm>

namespace {

// The motion bits of a stick's four directions; the low four are its latch bits.
constexpr uint8_t MotionBits = 0xF0;

}  // namespace

LiveJoystick::LiveJoystick(int id) : joystickId(id) { SetUpDevice(); }

LiveJoystick::~LiveJoystick() {
    if (timerRunning) {
        ReleaseHeld();
        platform::StopTimer(joystickId);
    }
}

bool LiveJoystick::SetUpDevice() {
    caps = {};
    capsRead = platform::ReadJoystickCaps(joystickId, caps);
    // A failed read leaves `out` unspecified: the device reads as reporting nothing.
    if (!capsRead) caps = {};
    centreX = AxisCentre(caps.xMin, caps.xMax);
    centreY = AxisCentre(caps.yMin, caps.yMax);
    centreZ = AxisCentre(caps.zMin, caps.zMax);
    centreR = AxisCentre(caps.rMin, caps.rMax);
    centreU = AxisCentre(caps.uMin, caps.uMax);
    centreV = AxisCentre(caps.vMin, caps.vMax);
    hasExtras = caps.hasZ || caps.hasR || caps.hasU || caps.hasV || caps.hasPov;
    // Until the first poll the device reads as at rest; that poll has no reading before it.
    position = RestingReading();
    previousReading = position;
    readSinceSetUp = false;
    return capsRead;
}

int32_t LiveJoystick::ButtonCount() const {
    return static_cast<int32_t>(std::min<uint32_t>(caps.numButtons, MaxButtons));
}

void LiveJoystick::StartPolling() {
    if (timerRunning) return;
    timerRunning = true;
    timerPeriodMs = stored.settings.pollingDelay;
    platform::StartTimer(joystickId, timerPeriodMs);
}

void LiveJoystick::ApplyPollingDelay(int32_t delayMs) {
    stored.settings.pollingDelay = delayMs;
    // Starting a running timer again with the same identifier replaces its period.
    if (timerRunning) {
        timerPeriodMs = delayMs;
        platform::StartTimer(joystickId, delayMs);
    }
}

void LiveJoystick::FollowPollingDelay() {
    if (timerRunning && timerPeriodMs != stored.settings.pollingDelay) {
        ApplyPollingDelay(stored.settings.pollingDelay);
    }
}

void LiveJoystick::StopPolling() {
    if (!timerRunning) return;
    ReleaseHeld();
    timerRunning = false;
    platform::StopTimer(joystickId);
}

void LiveJoystick::ReleaseHeld() {
    for (int event = 1; event <= LastEvent; ++event) {
        if (IsHeld(event)) ReleaseEvent(event);
    }
    firstStick.DirectionLatch &= MotionBits;
    secondStick.DirectionLatch &= MotionBits;
    keyLatch = 0;
    previousButtons = 0;
    ShiftActive = false;
}

void LiveJoystick::SetMuted(bool mute) {
    if (mute && !muted) ReleaseHeld();
    // What is held when the mute ends, pressed since the last muted poll too, waits for release.
    if (!mute && muted) holdOffPending = true;
    muted = mute;
}

void LiveJoystick::HoldOff() {
    ReleaseHeld();
    holdOffPending = true;
}
