// Shared set-up of the engine tests: a loaded profile of joystick 0 on the recording platform,
// polled one reading after another.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <ostream>
#include <vector>

#include "platform/recording/RecordingPlatform.h"
#include "profiles/JoystickProfile.h"

namespace recording {
// Readable failure messages, e.g. "KeyDown 0x11" or "Move 5,0".
void PrintTo(const Call& call, std::ostream* out);
}  // namespace recording

namespace enginetest {

using Input = std::vector<recording::Call>;

// Device positions of the fake's default 0..65535 axes.
constexpr uint32_t Low = 0, Mid = 32767, High = 65535;

// Stored modifier choices of a direction and of a button.
constexpr int32_t DirMoveMouse = 1, DirAlt = 2, DirCtrl = 3, DirCtrlAltShift = 8;
constexpr int32_t BtnAlt = 1, BtnCtrl = 2, BtnShift = 3;
// Key choices used across the tests.
constexpr int32_t UpArrow = 5, DownArrow = 7, Enter = 23, Escape = 25, F1 = 34;

// Virtual-key codes and mouse_event flags as the focused application receives them.
constexpr int VkReturn = 0x0D, VkEscape = 0x1B, VkShift = 0x10, VkControl = 0x11, VkMenu = 0x12;
constexpr int VkUp = 0x26, VkDown = 0x28, VkF1 = 0x70;
constexpr int LeftDown = 0x8002, LeftUp = 0x8004, RightDown = 0x8008, RightUp = 0x8010;

class EngineTest : public ::testing::Test {
  protected:
    EngineTest() {
        recording::Reset();
        profile = std::make_unique<JoystickProfile>(context, 0);
        profile->profileName = "Pad";
        profile->Load();
    }

    // Starts the poll timer and forgets what set-up recorded.
    void Start() {
        profile->StartPolling();
        recording::Calls().clear();
    }

    // Maps an event in a column: stored modifier choice, key choice and text. A text of MaxChars
    // characters fills the slot with no terminator.
    void Map(int event, int32_t modifier, int32_t key, const char* text = "",
             Column column = Column::Normal) {
        StoredProfile& stored = profile->stored;
        const bool shifted = column == Column::Shifted;
        stored.SetAction(shifted ? 2 : 0, event, modifier);
        stored.SetAction(shifted ? 3 : 1, event, key);
        if (!stored.extraText) {
            stored.extraText = AllocateText(stored.settings.maxChars, ExtraTextSlotCount);
        }
        uint8_t* slot = stored.Text(column, event);
        std::memset(slot, 0, static_cast<size_t>(stored.settings.maxChars));
        std::memcpy(slot, text, std::strlen(text));
    }

    // One poll with this reading; returns the input it sent.
    Input PollAt(uint32_t x, uint32_t y, uint32_t buttons = 0) {
        recording::JoystickAt(0).state = {x, y, buttons};
        profile->Poll();
        return recording::TakeInput();
    }
    Input PollButtons(uint32_t buttons) { return PollAt(Mid, Mid, buttons); }

    ProgramContext context{"C:\\Quorvel\\", PlatformWindowsNt};
    std::unique_ptr<JoystickProfile> profile;
};

inline recording::Call Down(int vk) { return recording::KeyDown(vk); }
inline recording::Call Up(int vk) { return recording::KeyUp(vk); }

}  // namespace enginetest
