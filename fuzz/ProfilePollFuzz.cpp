// libFuzzer target for the engine under any stored value: a profile file, then joystick readings
// polled one after another. Never crashes nor overflows, and once polling stops no key and no
// mouse button is left down.
#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "platform/recording/RecordingPlatform.h"
#include "profiles/JoystickProfile.h"
#include "profiles/ProfileFile.h"

namespace {

// After the profile (as long as its header says a complete file is, with the extension its length
// field gives), readings of 33 bytes: X, Y, the button word, Z, R, U, V and the hat as 32-bit
// little-endian values, then a flags byte. The device has every axis and a hat.
constexpr size_t ReadingSize = 33;
constexpr uint8_t Unplugged = 1;  // the device does not answer this poll
constexpr uint8_t Restart = 2;    // polling stops and starts again before this poll

uint32_t Le32(const uint8_t* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

size_t ProfileLength(const uint8_t* data, size_t size) {
    ProfileHeader header;
    const std::vector<uint8_t> start(data, data + std::min<size_t>(size, 36));
    if (DecodeProfileHeader(start, header) != ProfileDecodeError::None) return size;
    const size_t classic = ProfileFileSize(header.buttonCount, header.settings.maxChars);
    if (size < classic + 8 || std::string(data + classic, data + classic + 4) != "QVX1") {
        return std::min(size, classic);
    }
    return std::min<size_t>(size, classic + 8 + Le32(data + classic + 4));
}

// Aborts when a key or a mouse button went down after its last release.
void CheckNothingLeftDown() {
    std::map<int32_t, bool> keyDown;
    bool leftDown = false, rightDown = false;
    for (const recording::Call& call : recording::Calls()) {
        if (call.kind == recording::CallKind::KeyDown) keyDown[call.a] = true;
        if (call.kind == recording::CallKind::KeyUp) keyDown[call.a] = false;
        if (call.kind != recording::CallKind::MouseButtons) continue;
        // Within one call a down comes before an up (0x8002 down, 0x8004 up; 0x8008, 0x8010).
        if (call.a & 0x0002) leftDown = true;
        if (call.a & 0x0004) leftDown = false;
        if (call.a & 0x0008) rightDown = true;
        if (call.a & 0x0010) rightDown = false;
    }
    for (const auto& key : keyDown) {
        if (key.second) std::abort();
    }
    if (leftDown || rightDown) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const size_t profileLength = ProfileLength(data, size);
    recording::Reset();
    recording::Files()["fuzz.qvp"] = std::vector<uint8_t>(data, data + profileLength);
    const ProgramContext context{"", PlatformWindowsNt};
    platform::JoystickCaps& caps = recording::JoystickAt(0).caps;
    caps.zMax = caps.rMax = caps.uMax = caps.vMax = 65535;
    caps.hasZ = caps.hasR = caps.hasU = caps.hasV = caps.hasPov = true;
    JoystickProfile profile(context, 0);
    profile.profileName = "fuzz";
    // Whatever the file holds, even a damaged one, the joystick polls on.
    profile.Load();
    profile.StartPolling();

    recording::Joystick& joystick = recording::JoystickAt(0);
    for (size_t at = profileLength; size - at >= ReadingSize; at += ReadingSize) {
        const uint8_t* reading = data + at;
        const uint8_t flags = reading[ReadingSize - 1];
        if (flags & Restart) {
            profile.StopPolling();
            profile.StartPolling();
        }
        joystick.answers = (flags & Unplugged) == 0;
        joystick.state = {Le32(reading),      Le32(reading + 4),  Le32(reading + 8),
                          Le32(reading + 12), Le32(reading + 16), Le32(reading + 20),
                          Le32(reading + 24), Le32(reading + 28)};
        profile.Poll();
    }
    profile.StopPolling();
    CheckNothingLeftDown();
    return 0;
}
