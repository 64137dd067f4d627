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
}

int32_t LiveJoystick::ButtonCount() const {
    return static_cast<int32_t>(std::min<uint32_t>(caps.numButtons, MaxButtons));
}
