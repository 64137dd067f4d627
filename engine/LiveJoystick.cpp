// Construction, destruction and device set-up of a live joystick.
#include "engine/LiveJoystick.h"

#include <algorithm>

LiveJoystick::LiveJoystick(int id) : joystickId(id) { SetUpDevice(); }

LiveJoystick::~LiveJoystick() {
    if (timerRunning) {
        ReleaseHeld();
        platform::StopTimer(joystickId);
    }
}

void LiveJoystick::SetUpDevice() {
    position = {};
    caps = {};
    platform::ReadJoystickCaps(joystickId, caps);
    // Added as unsigned 32-bit values, then halved: the fraction is dropped.
    centreX = (caps.xMin + caps.xMax) >> 1;
    centreY = (caps.yMin + caps.yMax) >> 1;
    centreZ = (caps.zMin + caps.zMax) >> 1;
    centreR = (caps.rMin + caps.rMax) >> 1;
    centreU = (caps.uMin + caps.uMax) >> 1;
    centreV = (caps.vMin + caps.vMax) >> 1;
    hasExtras = caps.hasZ || caps.hasR || caps.hasU || caps.hasV || caps.hasPov;
}

int32_t LiveJoystick::ButtonCount() const {
    return static_cast<int32_t>(std::min<uint32_t>(caps.numButtons, MaxButtons));
}
