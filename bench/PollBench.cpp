// Poll-path timing against the recording platform with its log off: an idle poll (of a classic
// joystick and of a whole pad), a poll with every button re-firing, and one poll of each of 16
// fully mapped joysticks.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/recording/RecordingPlatform.h"
#include "profiles/JoystickProfile.h"

namespace {

const ProgramContext Context{"", PlatformWindowsNt};

constexpr uint32_t AllButtons = 0xFFFFFFFFu;
constexpr int32_t UpArrow = 5, F1 = 34;

// Directions on the four arrow keys; each button on a function or numeric-pad key with two
// characters; polling started.
std::unique_ptr<JoystickProfile> MappedProfile(int joystickId) {
    auto profile = std::make_unique<JoystickProfile>(Context, joystickId);
    profile->profileName = "Bench" + std::to_string(joystickId);
    profile->Load();
    for (int event = 1; event <= EventCount; ++event) {
        const int32_t key = IsDirection(event) ? UpArrow + event - 1 : F1 + (event - 5) % 12;
        for (Column column : {Column::Normal, Column::Shifted}) {
            profile->stored.ActionTable[KeyIndex(column, event)] = key;
            uint8_t* slot = profile->stored.CombinationText.get() + TextSlot(column, event) * 2;
            slot[0] = 'a';
            slot[1] = 'b';
        }
    }
    profile->StartPolling();
    return profile;
}

void ResetPlatform() {
    recording::Reset();
    recording::SetRecording(false);
}

void SetButtons(int joystickId, uint32_t buttons) {
    recording::JoystickAt(joystickId).state.buttons = buttons;
}

// Centred stick, no button down, nothing held: the poll reads and decides nothing changed.
void BM_IdlePoll(benchmark::State& state) {
    ResetPlatform();
    const auto profile = MappedProfile(0);
    for (auto _ : state) profile->Poll();
}
BENCHMARK(BM_IdlePoll);

// The same on a pad with a second stick, a Z axis and a hat, all at rest, with every extra
// event mapped.
void BM_IdlePollWholeController(benchmark::State& state) {
    ResetPlatform();
    platform::JoystickCaps& caps = recording::JoystickAt(0).caps;
    caps.zMax = caps.rMax = caps.uMax = caps.vMax = 65535;
    caps.hasZ = caps.hasR = caps.hasU = caps.hasV = caps.hasPov = true;
    recording::JoystickAt(0).state = {32767, 32767, 0,     32767,
                                      32767, 32767, 32767, platform::PovCentred};
    const auto profile = MappedProfile(0);
    for (int event = FirstExtraEvent; event <= LastEvent; ++event) {
        profile->stored.SetAction(1, event, F1);
    }
    for (auto _ : state) profile->Poll();
}
BENCHMARK(BM_IdlePollWholeController);

// All 32 buttons held: each poll releases and presses every one, 192 key events.
void BM_BusyPoll(benchmark::State& state) {
    ResetPlatform();
    const auto profile = MappedProfile(0);
    SetButtons(0, AllButtons);
    for (auto _ : state) profile->Poll();
    state.SetItemsProcessed(state.iterations() * 32);
}
BENCHMARK(BM_BusyPoll);

// One poll of each of 16 mapped joysticks; argument 1 holds every button and pushes every stick.
void BM_SixteenJoysticks(benchmark::State& state) {
    ResetPlatform();
    std::vector<std::unique_ptr<JoystickProfile>> profiles;
    for (int id = 0; id < 16; ++id) {
        profiles.push_back(MappedProfile(id));
        if (state.range(0) != 0) {
            SetButtons(id, AllButtons);
            recording::JoystickAt(id).state.x = 65535;
            recording::JoystickAt(id).state.y = 0;
        }
    }
    for (auto _ : state) {
        for (const auto& profile : profiles) profile->Poll();
    }
}
BENCHMARK(BM_SixteenJoysticks)->Arg(0)->Arg(1);

}  // namespace

BENCHMARK_MAIN();
