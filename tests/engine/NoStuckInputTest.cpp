// Whatever the mappings and the readings, once polling stops no key and no mouse button that the
// engine pressed is left down. Thousands of random traces from a fixed seed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "platform/recording/RecordingPlatform.h"
#include "profiles/JoystickProfile.h"

namespace {

constexpr uint32_t LeftDown = 0x8002, LeftUp = 0x8004, RightDown = 0x8008, RightUp = 0x8010;

class Random {
  public:
    explicit Random(uint32_t seed) : engine(seed) {}
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine); }
    bool Chance(int percent) { return Below(100) < percent; }
    uint32_t Bits() { return engine(); }

  private:
    std::mt19937 engine;
};

// A down adds one and an up takes one away, never below zero: the first release of a re-fire
// has no down before it. A double click is balanced by itself.
void Count(int& held, bool down) { held = down ? held + 1 : std::max(0, held - 1); }

// What is still down after the recorded input, e.g. "key 0x11 left"; empty when nothing is.
std::string StillDown(const std::vector<recording::Call>& calls) {
    std::map<int, int> keys;
    int left = 0, right = 0;
    for (const recording::Call& call : calls) {
        if (call.kind == recording::CallKind::KeyDown || call.kind == recording::CallKind::KeyUp) {
            Count(keys[call.a], call.kind == recording::CallKind::KeyDown);
        } else if (call.kind == recording::CallKind::MouseButtons) {
            const uint32_t flags = static_cast<uint32_t>(call.a);
            if (flags == LeftDown || flags == LeftUp) Count(left, flags == LeftDown);
            if (flags == RightDown || flags == RightUp) Count(right, flags == RightDown);
        }
    }
    std::string down;
    for (const auto& [key, held] : keys) {
        if (held > 0) down += "key " + std::to_string(key) + " ";
    }
    if (left > 0) down += "left ";
    if (right > 0) down += "right ";
    return down;
}

uint8_t RandomCharacter(Random& random) {
    static const char pool[] = "abzAZ09 !?;[\x01\x7F\xE9";
    return static_cast<uint8_t>(pool[random.Below(sizeof pool - 1)]);
}

void RandomMappings(Random& random, JoystickProfile& profile) {
    profile.stored.settings.maxChars = 1 + random.Below(3);
    profile.stored.CombinationText =
        std::make_unique<uint8_t[]>(72 * profile.stored.settings.maxChars);
    for (Column column : {Column::Normal, Column::Shifted}) {
        for (int event = 1; event <= EventCount; ++event) {
            const bool mouse = IsDirection(event) && random.Chance(40);
            profile.stored.ActionTable[ModifierIndex(column, event)] = mouse ? MoveMouseChoice
                                                                       : random.Chance(50)
                                                                           ? 0
                                                                           : random.Below(9);
            const int keyKind = random.Below(10);
            profile.stored.ActionTable[KeyIndex(column, event)] = keyKind < 3 ? 0
                                                                  : keyKind < 6
                                                                      ? 1 + random.Below(4)
                                                                      : 5 + random.Below(43);
            if (random.Chance(60)) continue;
            uint8_t* slot = profile.stored.CombinationText.get() +
                            TextSlot(column, event) * profile.stored.settings.maxChars;
            const int length = 1 + random.Below(profile.stored.settings.maxChars);
            for (int i = 0; i < length; ++i) slot[i] = RandomCharacter(random);
        }
    }
    profile.stored.shiftButton = random.Chance(40) ? 0 : 1 + random.Below(6);
    profile.stored.settings.progressive = random.Chance(25);
    profile.stored.settings.swapX = random.Chance(30);
    profile.stored.settings.swapY = random.Chance(30);
    profile.stored.settings.acceleration = random.Below(51);
    profile.stored.settings.sensitivity = 100 + random.Below(9900);
    profile.stored.settings.threshold = 100 + random.Below(20000);
}

uint32_t RandomAxis(Random& random) {
    switch (random.Below(4)) {
        case 0:
            return 0;
        case 1:
            return 32767;
        case 2:
            return 65535;
        default:
            return random.Bits() & 0xFFFF;
    }
}

// Low buttons, where the shift button sits, and now and then the last two of the word.
uint32_t RandomButtons(Random& random) {
    return (random.Bits() & 0x3F) | (random.Chance(10) ? 0xC0000000u : 0u);
}

// One trace: random mappings, polls with random readings and the occasional stop and restart,
// reload or change of shift button, then polling stops or the profile is deleted.
void RunTrace(Random& random) {
    static const uint32_t reportedButtons[] = {0, 4, 8, 32, 40};
    recording::Reset();
    recording::JoystickAt(0).caps.maxButtons = reportedButtons[random.Below(5)];
    const ProgramContext context{"C:\\Quorvel\\", PlatformWindowsNt};
    auto profile = std::make_unique<JoystickProfile>(context, 0);
    profile->profileName = "Random";
    profile->Load();
    RandomMappings(random, *profile);
    profile->modified = true;
    profile->Save();  // a reload keeps these mappings
    profile->StartPolling();

    const int polls = 1 + random.Below(60);
    for (int poll = 0; poll < polls; ++poll) {
        if (random.Chance(3)) profile->StopPolling();
        if (random.Chance(3)) profile->StartPolling();
        if (random.Chance(2)) profile->Load();
        if (random.Chance(2)) profile->stored.shiftButton = random.Below(7);
        recording::Joystick& joystick = recording::JoystickAt(0);
        joystick.answers = !random.Chance(10);
        joystick.state = {RandomAxis(random), RandomAxis(random), RandomButtons(random)};
        profile->Poll();
    }
    if (random.Chance(25)) {
        profile.reset();
    } else {
        profile->StopPolling();
    }
}

TEST(NoStuckInput, RandomTracesLeaveNothingDownOncePollingStops) {
    Random random(20240611);
    for (int trace = 0; trace < 3000; ++trace) {
        RunTrace(random);
        const std::string down = StillDown(recording::Calls());
        ASSERT_EQ(down, "") << "trace " << trace;
    }
}

}  // namespace
