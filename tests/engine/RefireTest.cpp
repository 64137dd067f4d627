// The re-fire rule: a keyboard key or characters are released and pressed again at every poll
// while the input stays active, unless Progressive action is set; everything else is held.
#include "tests/engine/EngineFixture.h"

using namespace enginetest;

namespace {

using Refire = EngineTest;

TEST_F(Refire, KeyIsReleasedAndPressedAgainEachPollThenReleasedOnce) {
    Map(ButtonEvent(1), 0, Enter);
    Start();
    for (int poll = 0; poll < 3; ++poll) {
        EXPECT_EQ(PollButtons(1), (Input{Up(VkReturn), Down(VkReturn)}));
    }
    EXPECT_EQ(PollButtons(0), Input{Up(VkReturn)});
    EXPECT_EQ(PollButtons(0), Input{});
}

TEST_F(Refire, ProgressiveActionHoldsTheKeyInstead) {
    Map(ButtonEvent(1), 0, Enter);
    profile->stored.settings.progressive = 1;
    Start();
    EXPECT_EQ(PollButtons(1), Input{Down(VkReturn)});
    EXPECT_EQ(PollButtons(1), Input{});
    EXPECT_EQ(PollButtons(1), Input{});
    EXPECT_EQ(PollButtons(0), Input{Up(VkReturn)});
}

TEST_F(Refire, CharactersAloneRefireWithTheirModifier) {
    Map(ButtonEvent(2), BtnCtrl, NoKey, "z");
    Start();
    EXPECT_EQ(PollButtons(2), (Input{Up('Z'), Up(VkControl), Down(VkControl), Down('Z')}));
    EXPECT_EQ(PollButtons(2), (Input{Up('Z'), Up(VkControl), Down(VkControl), Down('Z')}));
    EXPECT_EQ(PollButtons(0), (Input{Up('Z'), Up(VkControl)}));
}

TEST_F(Refire, KeyChoiceBeyondTheListStillRefiresItsModifier) {
    Map(ButtonEvent(1), BtnAlt, 50);
    Start();
    EXPECT_EQ(PollButtons(1), (Input{Up(VkMenu), Down(VkMenu)}));
    EXPECT_EQ(PollButtons(1), (Input{Up(VkMenu), Down(VkMenu)}));
    EXPECT_EQ(PollButtons(0), Input{Up(VkMenu)});
}

TEST_F(Refire, MouseActionsAndModifiersAreHeldNotRefired) {
    Map(ButtonEvent(1), BtnShift, RightClick);
    Map(ButtonEvent(2), BtnAlt, LeftDoubleClick);
    Start();
    EXPECT_EQ(PollButtons(3), (Input{Down(VkShift), recording::Mouse(RightDown), Down(VkMenu),
                                     recording::Mouse(LeftDown), recording::Mouse(LeftUp),
                                     recording::Mouse(LeftDown), recording::Mouse(LeftUp)}));
    EXPECT_EQ(PollButtons(3), Input{});
    EXPECT_EQ(PollButtons(0), (Input{recording::Mouse(RightUp), Up(VkShift), Up(VkMenu)}));
}

TEST_F(Refire, DirectionMappedToAKeyRefiresUntilBackInTheDeadZone) {
    Map(DirectionEvent(0), 0, UpArrow);
    Start();
    EXPECT_EQ(PollAt(Mid, Low), (Input{Up(VkUp), Down(VkUp)}));
    EXPECT_EQ(PollAt(Mid, Low), (Input{Up(VkUp), Down(VkUp)}));
    EXPECT_EQ(PollAt(Mid, Mid), Input{Up(VkUp)});
    EXPECT_EQ(PollAt(Mid, Mid), Input{});
}

TEST_F(Refire, ReleaseFirstAndPressSecondAcrossDirectionsAndButtonsInOnePoll) {
    Map(DirectionEvent(1), DirCtrl, NoKey, "r");
    Map(ButtonEvent(32), 0, F1);
    Start();
    EXPECT_EQ(PollAt(High, Mid, 0x80000000u),
              (Input{Up('R'), Up(VkControl), Down(VkControl), Down('R'), Up(VkF1), Down(VkF1)}));
    EXPECT_EQ(PollAt(Mid, Mid, 0), (Input{Up('R'), Up(VkControl), Up(VkF1)}));
}

}  // namespace
