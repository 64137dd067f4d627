// Held input is always let go: a release undoes what the press sent whatever column is in force
// by then, a device that stops answering reads as centred, and stopping, destroying or reloading
// a profile releases everything it holds. Also the poll timer's start and stop.
#include "tests/engine/EngineFixture.h"

using namespace enginetest;

namespace {

using HeldInput = EngineTest;

const recording::Call TimerStop0{recording::CallKind::TimerStop, 0};

TEST_F(HeldInput, ButtonPressedUnderShiftLetsGoOfItsShiftedKeyAfterShiftIsReleased) {
    profile->stored.shiftButton = 1;
    profile->stored.settings.progressive = 1;
    Map(ButtonEvent(2), 0, Enter);
    Map(ButtonEvent(2), 0, Escape, "", Column::Shifted);
    Start();
    EXPECT_EQ(PollButtons(1), Input{});
    EXPECT_EQ(PollButtons(3), Input{Down(VkEscape)});
    EXPECT_EQ(PollButtons(2), Input{});
    EXPECT_EQ(PollButtons(0), Input{Up(VkEscape)});
}

TEST_F(HeldInput, DirectionReleasedWhileItsMappingIsMoveMouseSendsNoStrayAlt) {
    profile->stored.shiftButton = 1;
    profile->stored.settings.progressive = 1;
    Map(DirectionEvent(0), DirMoveMouse, NoKey);
    Map(DirectionEvent(0), DirCtrl, UpArrow, "", Column::Shifted);
    Start();
    EXPECT_EQ(PollAt(Mid, Mid, 1), Input{});
    EXPECT_EQ(PollAt(Mid, Low, 1), (Input{Down(VkControl), Down(VkUp)}));
    EXPECT_EQ(PollAt(Mid, Low, 0), Input{});
    EXPECT_EQ(PollAt(Mid, Low, 0), Input{recording::Move(0, -5)});
    EXPECT_EQ(PollAt(Mid, Mid, 0), (Input{Up(VkUp), Up(VkControl)}));
}

TEST_F(HeldInput, HeldButtonThatBecomesTheShiftButtonStillLetsGo) {
    Map(ButtonEvent(2), 0, Enter);
    Map(ButtonEvent(2), 0, Escape, "", Column::Shifted);
    Map(ButtonEvent(3), BtnCtrl, LeftClick);
    Start();
    EXPECT_EQ(PollButtons(4), (Input{Down(VkControl), recording::Mouse(LeftDown)}));
    profile->stored.shiftButton = 3;  // chosen in the editor while the button is down
    EXPECT_EQ(PollButtons(0), (Input{recording::Mouse(LeftUp), Up(VkControl)}));
    EXPECT_EQ(PollButtons(2), (Input{Up(VkReturn), Down(VkReturn)}));
    profile->stored.shiftButton = 0;
    EXPECT_EQ(PollButtons(4), (Input{Up(VkReturn), Down(VkControl), recording::Mouse(LeftDown)}));
    profile->stored.shiftButton = 3;
    profile->StopPolling();
    EXPECT_EQ(recording::Calls(), (Input{recording::Mouse(LeftUp), Up(VkControl), TimerStop0}));
}

TEST_F(HeldInput, FailedQueryReadsAsCentredAndTheNextGoodReadingResumes) {
    Map(DirectionEvent(1), DirMoveMouse, NoKey);
    Map(DirectionEvent(2), DirCtrl, NoKey);
    Map(ButtonEvent(1), 0, LeftClick);
    Start();
    // The click happens where the move of the same poll took the pointer.
    EXPECT_EQ(PollAt(High, High, 1),
              (Input{recording::Move(5, 0), Down(VkControl), recording::Mouse(LeftDown, 5, 0)}));
    recording::JoystickAt(0).answers = false;
    profile->Poll();
    EXPECT_EQ(recording::TakeInput(), (Input{Up(VkControl), recording::Mouse(LeftUp, 5, 0)}));
    profile->Poll();
    EXPECT_EQ(recording::TakeInput(), Input{});
    recording::JoystickAt(0).answers = true;
    EXPECT_EQ(PollAt(High, High, 1),
              (Input{recording::Move(5, 0), Down(VkControl), recording::Mouse(LeftDown, 10, 0)}));
}

TEST_F(HeldInput, StopPollingReleasesInEventOrderBeforeKillingTheTimer) {
    Map(DirectionEvent(0), DirAlt, NoKey);
    Map(ButtonEvent(1), 0, LeftClick);
    Map(ButtonEvent(3), BtnCtrl, NoKey, "k");
    Start();
    const Input pressed{Down(VkMenu),    recording::Mouse(LeftDown),
                        Up('K'),         Up(VkControl),
                        Down(VkControl), Down('K')};
    EXPECT_EQ(PollAt(Mid, Low, 5), pressed);
    profile->StopPolling();
    EXPECT_EQ(recording::Calls(),
              (Input{Up(VkMenu), recording::Mouse(LeftUp), Up('K'), Up(VkControl), TimerStop0}));
    recording::Calls().clear();
    EXPECT_EQ(PollAt(Mid, Low, 5), Input{});
    // Inputs still held when polling starts again are pressed afresh.
    Start();
    EXPECT_EQ(PollAt(Mid, Low, 5), pressed);
}

TEST_F(HeldInput, StopPollingForgetsAShiftButtonStillHeld) {
    profile->stored.shiftButton = 1;
    Map(ButtonEvent(2), 0, Enter);
    Map(ButtonEvent(2), 0, Escape, "", Column::Shifted);
    Start();
    EXPECT_EQ(PollButtons(1), Input{});
    profile->StopPolling();
    Start();
    EXPECT_EQ(PollButtons(2), (Input{Up(VkReturn), Down(VkReturn)}));
}

TEST_F(HeldInput, DestroyingARunningProfileReleasesThenKillsTheTimer) {
    Map(ButtonEvent(1), BtnAlt, RightClick);
    Start();
    EXPECT_EQ(PollButtons(1), (Input{Down(VkMenu), recording::Mouse(RightDown)}));
    profile.reset();
    EXPECT_EQ(recording::Calls(), (Input{recording::Mouse(RightUp), Up(VkMenu), TimerStop0}));
}

TEST_F(HeldInput, DestroyingAStoppedProfileSendsNothing) {
    profile->StopPolling();
    recording::Calls().clear();
    profile.reset();
    EXPECT_TRUE(recording::Calls().empty());
}

TEST_F(HeldInput, ReloadingTheProfileReleasesHeldInputAndPressesItAfresh) {
    Map(DirectionEvent(3), DirAlt, NoKey);
    Map(ButtonEvent(2), BtnShift, LeftClick);
    profile->modified = true;
    ASSERT_EQ(profile->Save(), SaveResult::Saved);
    Start();
    const Input pressed{Down(VkMenu), Down(VkShift), recording::Mouse(LeftDown)};
    EXPECT_EQ(PollAt(Low, Mid, 2), pressed);
    EXPECT_EQ(profile->Load(), LoadResult::Loaded);
    EXPECT_EQ(recording::TakeInput(), (Input{Up(VkMenu), recording::Mouse(LeftUp), Up(VkShift)}));
    EXPECT_EQ(PollAt(Low, Mid, 2), pressed);
}

TEST_F(HeldInput, TimerStartsOnceAndStopsOnceAndAStoppedProfileIgnoresTicks) {
    JoystickProfile other(context, 3);
    other.profileName = "Second";
    other.Load();
    other.stored.settings.pollingDelay = 120;
    other.stored.ActionTable[KeyIndex(Column::Normal, ButtonEvent(1))] = LeftClick;
    recording::JoystickAt(3).state.buttons = 1;
    recording::Calls().clear();

    other.StopPolling();
    other.Poll();
    EXPECT_TRUE(recording::Calls().empty());
    other.StartPolling();
    other.StartPolling();
    EXPECT_EQ(recording::Calls(), (Input{{recording::CallKind::TimerStart, 3, 120}}));
    recording::Calls().clear();
    other.Poll();
    other.StopPolling();
    other.StopPolling();
    EXPECT_EQ(recording::Calls(), (Input{recording::Mouse(LeftDown),
                                         recording::Mouse(LeftUp),
                                         {recording::CallKind::TimerStop, 3}}));
}

}  // namespace
