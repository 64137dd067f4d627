// The button loop: which buttons a device's report lets the poll examine, the last button of the
// 32-bit word, and the ascending order that decides which column a button sees in the poll where
// the shift button changes.
#include "tests/engine/EngineFixture.h"

using namespace enginetest;

namespace {

class ButtonLoop : public EngineTest {
  protected:
    // The device reports `maxButtons`; the profile reads it again as after a profile change.
    void ReportButtons(uint32_t maxButtons) {
        recording::JoystickAt(0).caps.maxButtons = maxButtons;
        profile->SetUpDevice();
    }
};

TEST_F(ButtonLoop, DeviceReportingNoButtonsHasNoButtonExamined) {
    Map(ButtonEvent(1), 0, LeftClick);
    Map(DirectionEvent(0), DirAlt, NoKey);
    ReportButtons(0);
    Start();
    EXPECT_EQ(PollAt(Mid, Low, 0xFFFFFFFF), Input{Down(VkMenu)});
    EXPECT_EQ(PollAt(Mid, Mid, 0), Input{Up(VkMenu)});
}

TEST_F(ButtonLoop, ButtonsAboveTheReportedCountAreIgnored) {
    Map(ButtonEvent(5), 0, LeftClick);
    Map(ButtonEvent(6), 0, RightClick);
    ReportButtons(5);
    Start();
    EXPECT_EQ(PollButtons(0x30), Input{recording::Mouse(LeftDown)});
    EXPECT_EQ(PollButtons(0), Input{recording::Mouse(LeftUp)});
}

TEST_F(ButtonLoop, MoreThanThirtyTwoButtonsStopsAtButtonThirtyTwo) {
    Map(ButtonEvent(32), BtnCtrl, NoKey, "yz", Column::Shifted);  // the buffer's last two bytes
    Map(ButtonEvent(31), 0, RightClick, "", Column::Shifted);
    profile->stored.shiftButton = 1;
    ReportButtons(40);
    Start();
    EXPECT_EQ(PollButtons(0xC0000001u),
              (Input{recording::Mouse(RightDown), Up('Y'), Up('Z'), Up(VkControl), Down(VkControl),
                     Down('Y'), Down('Z')}));
    EXPECT_EQ(PollButtons(1), (Input{recording::Mouse(RightUp), Up('Y'), Up('Z'), Up(VkControl)}));
}

TEST_F(ButtonLoop, ReleasesAndPressesInOnePollFollowButtonOrder) {
    profile->stored.settings.progressive = 1;
    Map(ButtonEvent(1), 0, F1);
    Map(ButtonEvent(2), 0, Enter);
    Map(ButtonEvent(3), 0, Escape);
    Start();
    EXPECT_EQ(PollButtons(5), (Input{Down(VkF1), Down(VkEscape)}));
    EXPECT_EQ(PollButtons(2), (Input{Up(VkF1), Down(VkReturn), Up(VkEscape)}));
}

TEST_F(ButtonLoop, ButtonAboveTheShiftButtonSeesTheNewColumnInTheSamePoll) {
    profile->stored.shiftButton = 2;
    for (int button : {1, 3}) {
        Map(ButtonEvent(button), 0, LeftClick);
        Map(ButtonEvent(button), 0, RightClick, "", Column::Shifted);
    }
    Start();
    // Buttons 1, 2 and 3 together: button 1 still sees the normal column, button 3 the shifted.
    EXPECT_EQ(PollButtons(7), (Input{recording::Mouse(LeftDown), recording::Mouse(RightDown)}));
    EXPECT_EQ(PollButtons(0), (Input{recording::Mouse(LeftUp), recording::Mouse(RightUp)}));
    // Shift alone first: from the next poll both buttons see the shifted column.
    EXPECT_EQ(PollButtons(2), Input{});
    EXPECT_EQ(PollButtons(7), (Input{recording::Mouse(RightDown), recording::Mouse(RightDown)}));
}

TEST_F(ButtonLoop, ButtonBelowTheShiftButtonRefiresInTheOldColumnOnceMore) {
    profile->stored.shiftButton = 2;
    for (int button : {1, 3}) {
        Map(ButtonEvent(button), 0, NoKey, "n");
        Map(ButtonEvent(button), 0, NoKey, "s", Column::Shifted);
    }
    Start();
    EXPECT_EQ(PollButtons(2), Input{});
    EXPECT_EQ(PollButtons(7), (Input{Up('S'), Down('S'), Up('S'), Down('S')}));
    // Shift and both buttons stay down while the shift button is let go: button 1 re-fires
    // shifted one last time, button 3 already switches.
    EXPECT_EQ(PollButtons(5), (Input{Up('S'), Down('S'), Up('S'), Down('N')}));
    EXPECT_EQ(PollButtons(5), (Input{Up('S'), Down('N'), Up('N'), Down('N')}));
}

}  // namespace
