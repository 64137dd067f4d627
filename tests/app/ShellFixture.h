// Shared set-up of the shell tests: a configuration file on the recording platform and a start as
// the program makes it (discovery, configuration, first joystick, poll timers).
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "app/ApplicationLogic.h"
#include "profiles/ConfigurationFile.h"
#include "platform/recording/RecordingPlatform.h"

namespace shelltest {

const ProgramContext Context{"C:\\Q\\", PlatformWindowsNt};
const std::string ConfigPath = "C:\\Q\\Quorvel.cfg";

inline std::string ProfilePath(const std::string& name) { return "C:\\Q\\" + name + ".qvp"; }

inline recording::Call TimerStart(int id, int periodMs) {
    return {recording::CallKind::TimerStart, id, periodMs};
}
inline recording::Call TimerStop(int id) { return {recording::CallKind::TimerStop, id}; }

class ShellTest : public ::testing::Test {
  protected:
    ShellTest() { recording::Reset(); }

    // Only these joysticks answer; joystick i uses the profile "P<i>"; the file enables `enabled`.
    void Start(std::initializer_list<int> present, uint16_t enabled = 0xFFFF) {
        for (int id = 0; id < MaxJoysticks; ++id) recording::JoystickAt(id).answers = false;
        for (int id : present) recording::JoystickAt(id).answers = true;
        ConfigurationData data;
        data.enabledMask = enabled;
        for (int id = 0; id < MaxJoysticks; ++id) {
            data.records.push_back({static_cast<uint8_t>(id), "P" + std::to_string(id)});
        }
        recording::Files()[ConfigPath] = EncodeConfiguration(data);
        state.PresentMask = DiscoverJoysticks();
        ASSERT_TRUE(LoadConfiguration(state));
        started = StartJoysticks(state);
    }

    // Forgets what start-up recorded and wrote.
    void Forget() {
        recording::Calls().clear();
        recording::WrittenPaths().clear();
    }

    std::vector<recording::Call> TimerCalls() const {
        std::vector<recording::Call> timers;
        for (const recording::Call& call : recording::Calls()) {
            if (call.kind == recording::CallKind::TimerStart || call.kind == recording::CallKind::TimerStop) {
                timers.push_back(call);
            }
        }
        return timers;
    }

    ApplicationState state{Context};
    bool started = false;
};

}  // namespace shelltest
