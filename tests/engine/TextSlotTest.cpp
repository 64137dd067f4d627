// Typed characters: a slot's text ends at its first 0 byte or at MaxChars bytes, each character
// is sent as its unshifted key, and a character no key types is skipped.
#include "tests/engine/EngineFixture.h"

using namespace enginetest;

namespace {

class TextSlots : public EngineTest {
  protected:
    TextSlots() { profile->stored.settings.progressive = 1; }
};

TEST_F(TextSlots, FullSlotHasNoTerminatorAndStopsAtItsWidth) {
    Map(ButtonEvent(1), 0, NoKey, "ab");
    Map(ButtonEvent(2), 0, NoKey, "cd");  // the very next bytes
    Start();
    EXPECT_EQ(PollButtons(1), (Input{Down('A'), Down('B')}));
    EXPECT_EQ(PollButtons(0), (Input{Up('A'), Up('B')}));
}

TEST_F(TextSlots, ShortSlotEndsAtItsFirstZeroByte) {
    Map(ButtonEvent(1), 0, NoKey, "a");
    Map(ButtonEvent(2), 0, NoKey, "cd");
    Start();
    EXPECT_EQ(PollButtons(1), Input{Down('A')});
    EXPECT_EQ(PollButtons(0), Input{Up('A')});
}

TEST_F(TextSlots, WiderSlotsHoldMoreCharacters) {
    // The editor puts a new buffer in place when the combination length changes.
    profile->stored.settings.maxChars = 3;
    profile->stored.CombinationText = std::make_unique<uint8_t[]>(72 * 3);
    Map(ButtonEvent(1), 0, NoKey, "abc");
    Map(ButtonEvent(2), 0, NoKey, "de");
    Start();
    EXPECT_EQ(PollButtons(1), (Input{Down('A'), Down('B'), Down('C')}));
    EXPECT_EQ(PollButtons(2), (Input{Up('A'), Up('B'), Up('C'), Down('D'), Down('E')}));
}

TEST_F(TextSlots, UpperCaseAndShiftedSymbolsSendTheirKeysWithoutShift) {
    Map(ButtonEvent(1), 0, NoKey, "Ab");
    Map(ButtonEvent(2), 0, NoKey, "!?");
    Start();
    EXPECT_EQ(PollButtons(3), (Input{Down('A'), Down('B'), Down('1'), Down(0xBF)}));
    EXPECT_EQ(PollButtons(0), (Input{Up('A'), Up('B'), Up('1'), Up(0xBF)}));
}

TEST_F(TextSlots, CharactersNoKeyTypesAreSkipped) {
    const char unmappable[] = {'\x01', 'q', 0};
    const char none[] = {'\xE9', '\x07', 0};
    Map(ButtonEvent(1), 0, NoKey, unmappable);
    Map(ButtonEvent(2), BtnAlt, NoKey, none);
    profile->stored.settings.progressive = 0;
    Start();
    EXPECT_EQ(PollButtons(1), (Input{Up('Q'), Down('Q')}));
    // A text of nothing typeable still makes the event re-fire its modifier.
    EXPECT_EQ(PollButtons(2), (Input{Up('Q'), Up(VkMenu), Down(VkMenu)}));
    EXPECT_EQ(PollButtons(0), Input{Up(VkMenu)});
}

TEST_F(TextSlots, ProfileThatNeverGotATextBufferStillFiresAndCanBeDeleted) {
    auto bare = std::make_unique<JoystickProfile>(context, 1);
    bare->stored.ActionTable[KeyIndex(Column::Normal, ButtonEvent(1))] = Enter;
    bare->StartPolling();
    recording::JoystickAt(1).state.buttons = 1;
    recording::Calls().clear();
    bare->Poll();
    bare.reset();
    EXPECT_EQ(
        recording::Calls(),
        (Input{Up(VkReturn), Down(VkReturn), Up(VkReturn), {recording::CallKind::TimerStop, 1}}));
}

}  // namespace
