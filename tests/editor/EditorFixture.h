// Shared set-up of the editor tests: a loaded profile of joystick 0 on the recording platform and
// the button configuration dialog's working state.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "editor/ButtonEditorState.h"
#include "platform/recording/RecordingPlatform.h"
#include "resources/resource.h"

namespace editortest {

// Controls of the dialog's template that send commands in the tests.
constexpr int OkButton = 1, CancelButton = 2, EventList = 1015, NormalText = 1022;
using Bytes = std::vector<uint8_t>;

// Gives buffers until its `failing`-th call, and none from then on.
inline ButtonEditorState::Allocator FailingFrom(int failing) {
    auto calls = std::make_shared<int>(0);
    return [calls, failing](size_t bytes) -> std::unique_ptr<uint8_t[]> {
        return ++*calls >= failing ? nullptr : ButtonEditorState::ZeroedBuffer(bytes);
    };
}

// Declared first among the fixture's members, so the profile meets a fresh platform.
struct FreshPlatform {
    FreshPlatform() { recording::Reset(); }
};

class EditorTest : public ::testing::Test {
  protected:
    EditorTest() {
        profile.profileName = "Pad";
        profile.Load();
        recording::Calls().clear();
    }
    Bytes Slot(int slot) const {
        return Bytes(profile.stored.SlotText(slot),
                     profile.stored.SlotText(slot) + profile.stored.settings.maxChars);
    }
    void FillSlot(int slot, const char* text) {
        std::memcpy(profile.stored.CombinationText.get() + slot * profile.stored.settings.maxChars,
                    text, std::strlen(text));
    }
    // The user has been in the length edit, typed `typed`, and now uses `control`.
    CommandGate LeaveLengthEdit(uint32_t typed, int control = NormalText) {
        editor.BeforeCommand(IDC_BC_MAX_CHARS, typed);
        return editor.BeforeCommand(control, typed);
    }

    FreshPlatform fresh;
    ProgramContext context{"C:\\Q\\", PlatformWindowsNt};
    JoystickProfile profile{context, 0};
    ButtonEditorState editor;
};

}  // namespace editortest
