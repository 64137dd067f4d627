// The shift button: its press and release switch to the shifted column and back and send
// nothing; directions follow the column the previous poll left.
#include "tests/engine/EngineFixture.h"

using namespace enginetest;

namespace {

class ShiftButton : public EngineTest {
  protected:
    ShiftButton() {
        profile->stored.shiftButton = 1;
        Map(ButtonEvent(2), 0, Enter);
        Map(ButtonEvent(2), 0, Escape, "", Column::Shifted);
    }
};

TEST_F(ShiftButton, SendsNothingItselfEvenWhenMappedAndSwitchesTheColumn) {
    Map(ButtonEvent(1), BtnCtrl, F1, "s");
    Map(ButtonEvent(1), BtnAlt, Enter, "t", Column::Shifted);
    Start();
    EXPECT_EQ(PollButtons(1), Input{});
    EXPECT_EQ(PollButtons(1), Input{});
    EXPECT_EQ(PollButtons(3), (Input{Up(VkEscape), Down(VkEscape)}));
    EXPECT_EQ(PollButtons(1), Input{Up(VkEscape)});
    EXPECT_EQ(PollButtons(0), Input{});
    EXPECT_EQ(PollButtons(2), (Input{Up(VkReturn), Down(VkReturn)}));
}

TEST_F(ShiftButton, HeldKeySwitchesToTheOtherColumnWhenShiftIsReleasedFirst) {
    Start();
    EXPECT_EQ(PollButtons(1), Input{});
    EXPECT_EQ(PollButtons(3), (Input{Up(VkEscape), Down(VkEscape)}));
    // Button 2 is handled after the shift button: it lets go of Escape and goes on with Enter.
    EXPECT_EQ(PollButtons(2), (Input{Up(VkEscape), Down(VkReturn)}));
    EXPECT_EQ(PollButtons(0), Input{Up(VkReturn)});
}

TEST_F(ShiftButton, HeldMouseButtonBecomesAKeyWhenShiftIsPressed) {
    Map(ButtonEvent(3), 0, LeftClick);
    Map(ButtonEvent(3), 0, F1, "", Column::Shifted);
    Start();
    EXPECT_EQ(PollButtons(4), Input{recording::Mouse(LeftDown)});
    EXPECT_EQ(PollButtons(5), (Input{recording::Mouse(LeftUp), Down(VkF1)}));
    EXPECT_EQ(PollButtons(5), (Input{Up(VkF1), Down(VkF1)}));
    EXPECT_EQ(PollButtons(0), Input{Up(VkF1)});
}

TEST_F(ShiftButton, RefiringShiftButtonKeepsTheShiftedColumnAllTheSame) {
    Map(ButtonEvent(1), 0, Enter);
    Map(ButtonEvent(1), 0, Enter, "", Column::Shifted);
    Start();
    EXPECT_EQ(PollButtons(1), Input{});
    EXPECT_EQ(PollButtons(1), Input{});
    EXPECT_EQ(PollButtons(3), (Input{Up(VkEscape), Down(VkEscape)}));
    EXPECT_EQ(PollButtons(3), (Input{Up(VkEscape), Down(VkEscape)}));
}

TEST_F(ShiftButton, DirectionsFollowTheColumnOnePollLate) {
    Map(DirectionEvent(2), DirMoveMouse, NoKey);
    Map(DirectionEvent(2), 0, DownArrow, "", Column::Shifted);
    Start();
    EXPECT_EQ(PollAt(Mid, High, 0), Input{recording::Move(0, 5)});
    EXPECT_EQ(PollAt(Mid, High, 1), Input{recording::Move(0, 5)});
    EXPECT_EQ(PollAt(Mid, High, 1), (Input{Up(VkDown), Down(VkDown)}));
    EXPECT_EQ(PollAt(Mid, High, 0), (Input{Up(VkDown), Down(VkDown)}));
    // Back on Move Mouse, the key pressed through the shifted column stays down until the stick
    // returns to the dead zone.
    EXPECT_EQ(PollAt(Mid, High, 0), Input{recording::Move(0, 5)});
    EXPECT_EQ(PollAt(Mid, Mid, 0), Input{Up(VkDown)});
}

TEST_F(ShiftButton, WithoutAShiftButtonEveryEventFiresTheNormalColumn) {
    Map(DirectionEvent(0), DirCtrl, NoKey);
    Map(DirectionEvent(0), DirAlt, NoKey, "", Column::Shifted);
    Start();
    EXPECT_EQ(PollButtons(1), Input{});
    // The shift button is given up while it is held: the shifted column is never used again.
    profile->stored.shiftButton = 0;
    EXPECT_EQ(PollAt(Mid, Low, 1), Input{Down(VkControl)});
    EXPECT_EQ(PollAt(Mid, Low, 3), (Input{Up(VkReturn), Down(VkReturn)}));
    EXPECT_EQ(PollAt(Mid, Mid, 0), (Input{Up(VkControl), Up(VkReturn)}));
    EXPECT_EQ(PollButtons(2), (Input{Up(VkReturn), Down(VkReturn)}));
}

TEST_F(ShiftButton, AStoredValueAtTheTopOfTheRangeNamesNoButton) {
    profile->stored.shiftButton = INT32_MAX;
    Start();
    EXPECT_EQ(PollButtons(0x80000002u), (Input{Up(VkReturn), Down(VkReturn)}));
    EXPECT_EQ(PollButtons(0), Input{Up(VkReturn)});
}

}  // namespace
