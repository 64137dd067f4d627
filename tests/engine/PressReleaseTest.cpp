// What one press and one release send: modifiers, then the key or mouse action, then the
// characters, and the reverse on release; mouse actions happen where the pointer is.
#include "tests/engine/EngineFixture.h"

using namespace enginetest;

namespace {

class PressRelease : public EngineTest {
  protected:
    PressRelease() {
        profile->stored.settings.progressive =
            1;  // one press and one release per input, no re-fire
        recording::SetCursor(120, 45);
    }
};

TEST_F(PressRelease, ModifierGoesDownFirstAndComesUpLastAroundClickAndCharacter) {
    Map(ButtonEvent(1), BtnCtrl, LeftClick, "x");
    Start();
    EXPECT_EQ(PollButtons(1),
              (Input{Down(VkControl), recording::Mouse(LeftDown, 120, 45), Down('X')}));
    EXPECT_EQ(PollButtons(1), Input{});
    EXPECT_EQ(PollButtons(0), (Input{Up('X'), recording::Mouse(LeftUp, 120, 45), Up(VkControl)}));
}

TEST_F(PressRelease, ModifierAndKeyOnADirectionAreHeldWhileDeflected) {
    Map(DirectionEvent(2), DirCtrl, DownArrow);
    Start();
    EXPECT_EQ(PollAt(Mid, High), (Input{Down(VkControl), Down(VkDown)}));
    EXPECT_EQ(PollAt(Mid, High), Input{});
    EXPECT_EQ(PollAt(Mid, Mid), (Input{Up(VkDown), Up(VkControl)}));
}

TEST_F(PressRelease, DoubleClicksHappenWhollyOnPressWhereThePointerIs) {
    Map(ButtonEvent(1), BtnShift, LeftDoubleClick, "a");
    Map(ButtonEvent(2), 0, RightDoubleClick);
    Start();
    EXPECT_EQ(PollButtons(1),
              (Input{Down(VkShift), recording::Mouse(LeftDown, 120, 45),
                     recording::Mouse(LeftUp, 120, 45), recording::Mouse(LeftDown, 120, 45),
                     recording::Mouse(LeftUp, 120, 45), Down('A')}));
    EXPECT_EQ(PollButtons(0), (Input{Up('A'), Up(VkShift)}));
    recording::SetCursor(-3, 7);
    EXPECT_EQ(PollButtons(2),
              (Input{recording::Mouse(RightDown, -3, 7), recording::Mouse(RightUp, -3, 7),
                     recording::Mouse(RightDown, -3, 7), recording::Mouse(RightUp, -3, 7)}));
    EXPECT_EQ(PollButtons(0), Input{});
}

TEST_F(PressRelease, SingleClicksHoldTheMouseButtonSoTheUserCanDrag) {
    profile->stored.settings.progressive =
        0;  // a click alone is held even without Progressive action
    Map(ButtonEvent(1), 0, LeftClick);
    Map(ButtonEvent(2), 0, RightClick);
    Start();
    EXPECT_EQ(PollButtons(1), Input{recording::Mouse(LeftDown, 120, 45)});
    recording::SetCursor(400, 300);  // the user drags
    EXPECT_EQ(PollButtons(1), Input{});
    EXPECT_EQ(PollButtons(2),
              (Input{recording::Mouse(LeftUp, 400, 300), recording::Mouse(RightDown, 400, 300)}));
    EXPECT_EQ(PollButtons(0), Input{recording::Mouse(RightUp, 400, 300)});
}

TEST_F(PressRelease, ShiftModifierAppliesToTheCharactersTypedAfterIt) {
    Map(ButtonEvent(1), BtnShift, NoKey, "ab");
    Start();
    EXPECT_EQ(PollButtons(1), (Input{Down(VkShift), Down('A'), Down('B')}));
    EXPECT_EQ(PollButtons(0), (Input{Up('A'), Up('B'), Up(VkShift)}));
}

TEST_F(PressRelease, KeyThenCharactersGoDownAndCharactersThenKeyComeUp) {
    Map(ButtonEvent(1), BtnAlt, F1, "9");
    Start();
    EXPECT_EQ(PollButtons(1), (Input{Down(VkMenu), Down(VkF1), Down('9')}));
    EXPECT_EQ(PollButtons(0), (Input{Up('9'), Up(VkF1), Up(VkMenu)}));
}

}  // namespace
