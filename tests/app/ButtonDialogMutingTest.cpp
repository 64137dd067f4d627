// The joystick the button configuration dialog configures sends nothing while the dialog is open;
// the others go on.
#include "tests/app/ShellFixture.h"

using namespace shelltest;
using recording::Call;

namespace {

class DialogMuting : public ShellTest {
  protected:
    // Button 1 of joysticks 0 and 1 presses Enter once and holds it.
    DialogMuting() {
        Start({0, 1});
        for (int id : {0, 1}) {
            StoredProfile& stored = state.profiles[id]->stored;
            stored.ActionTable[KeyIndex(Column::Normal, ButtonEvent(1))] = 23;
            stored.settings.progressive = 1;
        }
        Forget();
    }
    // One poll of joystick `id` with these buttons down; returns what it sent.
    std::vector<Call> Poll(int id, uint32_t buttons) {
        recording::JoystickAt(id).state.buttons = buttons;
        state.profiles[id]->Poll();
        return recording::TakeInput();
    }
};

const std::vector<Call> EnterDown = {recording::KeyDown(0x0D)};
const std::vector<Call> EnterUp = {recording::KeyUp(0x0D)};

}  // namespace

TEST_F(DialogMuting, OnlyTheConfiguredJoystickIsSilentAndAControlHeldAtClosingWaitsForItsRelease) {
    EXPECT_EQ(Poll(0, 1), EnterDown);
    SetButtonDialogJoystick(state, 0);
    EXPECT_EQ(recording::TakeInput(), EnterUp);
    EXPECT_EQ(Poll(0, 0), std::vector<Call>{});
    EXPECT_EQ(Poll(0, 1), std::vector<Call>{});
    EXPECT_EQ(Poll(1, 1), EnterDown);
    EXPECT_EQ(state.profiles[0]->Reading().buttons, 1u);  // read all the same

    SetButtonDialogJoystick(state, -1);
    EXPECT_EQ(Poll(0, 1), std::vector<Call>{});
    EXPECT_EQ(Poll(0, 0), std::vector<Call>{});
    EXPECT_EQ(Poll(0, 1), EnterDown);
    EXPECT_FALSE(state.profiles[1]->IsMuted());
}
