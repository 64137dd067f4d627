// The action vocabulary as the focused application receives it: modifier keys, key codes, text
// slot positions, and the list texts whose indexes the profile files store.
#include "tests/engine/EngineFixture.h"

using namespace enginetest;

namespace {

using Vocabulary = EngineTest;

TEST_F(Vocabulary, EachButtonModifierChoiceHoldsItsKeysDownInCtrlAltShiftOrder) {
    struct Row {
        int32_t choice;
        Input press, release;
    };
    const Row rows[] = {
        {0, {}, {}},
        {1, {Down(VkMenu)}, {Up(VkMenu)}},
        {2, {Down(VkControl)}, {Up(VkControl)}},
        {3, {Down(VkShift)}, {Up(VkShift)}},
        {4, {Down(VkControl), Down(VkMenu)}, {Up(VkMenu), Up(VkControl)}},
        {5, {Down(VkMenu), Down(VkShift)}, {Up(VkShift), Up(VkMenu)}},
        {6, {Down(VkControl), Down(VkShift)}, {Up(VkShift), Up(VkControl)}},
        {7,
         {Down(VkControl), Down(VkMenu), Down(VkShift)},
         {Up(VkShift), Up(VkMenu), Up(VkControl)}},
        {8, {}, {}},  // only a damaged file holds 8 for a button
    };
    Start();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.choice);
        Map(ButtonEvent(1), row.choice, NoKey);
        EXPECT_EQ(PollButtons(1), row.press);
        EXPECT_EQ(PollButtons(1), Input{});
        EXPECT_EQ(PollButtons(0), row.release);
    }
}

TEST_F(Vocabulary, DirectionModifierChoicesSitOnePlaceLaterBecauseOfMoveMouse) {
    Map(DirectionEvent(0), DirAlt, NoKey);
    Map(DirectionEvent(2), DirCtrlAltShift, NoKey);
    Map(DirectionEvent(1), DirMoveMouse, NoKey);
    Start();
    EXPECT_EQ(PollAt(Mid, Low), Input{Down(VkMenu)});
    EXPECT_EQ(PollAt(Mid, Mid), Input{Up(VkMenu)});
    EXPECT_EQ(PollAt(Mid, High), (Input{Down(VkControl), Down(VkMenu), Down(VkShift)}));
    EXPECT_EQ(PollAt(Mid, Mid), (Input{Up(VkShift), Up(VkMenu), Up(VkControl)}));
    EXPECT_EQ(PollAt(High, Mid), Input{recording::Move(5, 0)});
}

TEST_F(Vocabulary, KeyChoicesFiveToFortyFiveSendTheirVirtualKeysAndThoseAfterTheWheelNothing) {
    const int codes[] = {
        0x26, 0x27, 0x28, 0x25,                                            // arrows, choices 5..8
        0x60, 0x61, 0x62, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69,        // NumPad 0..9
        0x6B, 0x6D, 0x6A, 0x6F,                                            // NumPad + - * /
        0x0D, 0x20, 0x1B, 0x2D, 0x2E, 0x24, 0x23, 0x21, 0x22, 0x09, 0x14,  // Enter .. Caps Lock
        0x70, 0x71, 0x72, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x7B,  // F1..F12
    };
    profile->stored.settings.progressive = 1;
    Start();
    int32_t choice = FirstKeyboardKey;
    for (int code : codes) {
        SCOPED_TRACE(choice);
        Map(ButtonEvent(1), 0, choice++);
        EXPECT_EQ(PollButtons(1), Input{Down(code)});
        EXPECT_EQ(PollButtons(0), Input{Up(code)});
    }
    for (int32_t beyond : {50, 51, 1000, -1}) {
        Map(ButtonEvent(1), 0, beyond);
        EXPECT_EQ(PollButtons(1), Input{});
        EXPECT_EQ(PollButtons(0), Input{});
    }
}

TEST_F(Vocabulary, TextSlotsLieAtTheirByteOffsetsWithTwoCharactersPerSlot) {
    profile->stored.shiftButton = 2;
    profile->stored.settings.progressive = 1;
    profile->stored.CombinationText[6] = 'w';   // Move Left, normal column: slot 3
    profile->stored.CombinationText[80] = 'q';  // Button 1, shifted column: slot 40
    profile->stored.CombinationText[8] = 'n';   // Button 1, normal column: slot 4
    Start();
    EXPECT_EQ(PollAt(Low, Mid), Input{Down('W')});
    EXPECT_EQ(PollAt(Mid, Mid), Input{Up('W')});
    EXPECT_EQ(PollButtons(1), Input{Down('N')});
    EXPECT_EQ(PollButtons(0), Input{Up('N')});
    EXPECT_EQ(PollButtons(2), Input{});
    EXPECT_EQ(PollButtons(3), Input{Down('Q')});
    EXPECT_EQ(PollButtons(2), Input{Up('Q')});
}

TEST_F(Vocabulary, ListTextsKeepTheStoredOrder) {
    EXPECT_EQ(KeyChoiceNames(), (std::vector<std::string>{" ",
                                                          "Left Click",
                                                          "Left Double Click",
                                                          "Right Click",
                                                          "Right Double Click",
                                                          "Up Arrow",
                                                          "Right Arrow",
                                                          "Down Arrow",
                                                          "Left Arrow",
                                                          "NumPad 0",
                                                          "NumPad 1",
                                                          "NumPad 2",
                                                          "NumPad 3",
                                                          "NumPad 4",
                                                          "NumPad 5",
                                                          "NumPad 6",
                                                          "NumPad 7",
                                                          "NumPad 8",
                                                          "NumPad 9",
                                                          "NumPad +",
                                                          "NumPad -",
                                                          "NumPad *",
                                                          "NumPad /",
                                                          "Enter",
                                                          "Space",
                                                          "Escape",
                                                          "Insert",
                                                          "Delete",
                                                          "Home",
                                                          "End",
                                                          "Page Up",
                                                          "Page Down",
                                                          "Tab",
                                                          "Caps Lock",
                                                          "F1",
                                                          "F2",
                                                          "F3",
                                                          "F4",
                                                          "F5",
                                                          "F6",
                                                          "F7",
                                                          "F8",
                                                          "F9",
                                                          "F10",
                                                          "F11",
                                                          "F12",
                                                          "Wheel Up",
                                                          "Wheel Down",
                                                          "Wheel Left",
                                                          "Wheel Right"}));
    EXPECT_EQ(DirectionModifierNames(),
              (std::vector<std::string>{" ", "Move Mouse", "ALT", "CTRL", "SHIFT", "CTRL+ALT",
                                        "ALT+SHIFT", "CTRL+SHIFT", "CTRL+ALT+SHIFT", "Scroll"}));
    EXPECT_EQ(ButtonModifierNames(),
              (std::vector<std::string>{" ", "ALT", "CTRL", "SHIFT", "CTRL+ALT", "ALT+SHIFT",
                                        "CTRL+SHIFT", "CTRL+ALT+SHIFT"}));
    EXPECT_EQ(EventName(1), "Move Up");
    EXPECT_EQ(EventName(4), "Move Left");
    EXPECT_EQ(EventName(5), "Button 1");
    EXPECT_EQ(EventName(36), "Button 32");
}

}  // namespace
