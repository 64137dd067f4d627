// The combination length: checked when the user leaves its edit, asked about above 5, applied to
// every text slot, and written back by OK but not by Cancel.
#include "profiles/ProfileFile.h"
#include "tests/editor/EditorFixture.h"

namespace editortest {
namespace {

using CombinationLength = EditorTest;

TEST_F(CombinationLength, ZeroIsRefusedOneToFiveApplyAndSixToNinetyNineAskFirst) {
    ASSERT_TRUE(editor.Initialise(profile));
    editor.BeforeCommand(IDC_BC_MAX_CHARS, 4);
    editor.BeforeCommand(IDC_BC_MAX_CHARS, 4);  // its own notifications check nothing
    EXPECT_EQ(editor.View().length, 2u);
    CommandGate gate = editor.BeforeCommand(NormalText, 0);
    ASSERT_TRUE(gate.message.has_value());
    EXPECT_EQ(gate.message->text, TooFewCharactersMessage().text);
    EXPECT_TRUE(gate.proceed && Includes(gate.redraw, Redraw::Length));
    EXPECT_EQ(editor.View().length, 2u);

    for (uint32_t length : {1u, 5u, 3u}) {
        gate = LeaveLengthEdit(length, EventList);
        EXPECT_FALSE(gate.ask || gate.message);
        EXPECT_EQ(editor.View().textLimit, static_cast<int32_t>(length));
    }
    for (uint32_t length : {6u, 99u}) {
        gate = LeaveLengthEdit(length);
        EXPECT_TRUE(gate.ask && !gate.proceed);
        gate = editor.AnswerLargeLength(false);
        EXPECT_TRUE(gate.proceed && Includes(gate.redraw, Redraw::Length));
        EXPECT_EQ(editor.View().length, 3u);
    }
    LeaveLengthEdit(99);
    EXPECT_TRUE(editor.AnswerLargeLength(true).proceed);
    EXPECT_EQ(editor.View().length, 99u);
}

TEST_F(CombinationLength, ShrinkingFourToTwoCutsEverySlotAndGrowingTwoToFourPadsWithZeros) {
    profile.stored.settings.maxChars = 4;
    profile.stored.CombinationText = ButtonEditorState::ZeroedBuffer(72 * 4);
    FillSlot(0, "abcd");
    FillSlot(36, "x");
    FillSlot(71, "pq");
    profile.stored.extraText = ButtonEditorState::ZeroedBuffer(20 * 4);
    std::memcpy(profile.stored.Text(Column::Shifted, LastEvent), "wxyz", 4);
    ASSERT_TRUE(editor.Initialise(profile));
    LeaveLengthEdit(2);
    EXPECT_EQ(editor.View().normal.text, "ab");
    LeaveLengthEdit(4);
    ASSERT_TRUE(editor.WriteBack(profile));
    ASSERT_EQ(profile.stored.settings.maxChars, 4);
    EXPECT_EQ(Slot(0), (Bytes{'a', 'b', 0, 0}));
    EXPECT_EQ(Slot(36), (Bytes{'x', 0, 0, 0}));
    const uint8_t* lastExtra = profile.stored.Text(Column::Shifted, LastEvent);
    EXPECT_EQ(Bytes(lastExtra, lastExtra + 4), (Bytes{'w', 'x', 0, 0}));

    ASSERT_TRUE(editor.Initialise(profile));
    LeaveLengthEdit(2);
    editor.SelectEvent(35);
    EXPECT_EQ(editor.View().shifted.text, "pq");
    ASSERT_TRUE(editor.WriteBack(profile));
    EXPECT_EQ(Slot(0), (Bytes{'a', 'b'}));  // full: no terminator
    EXPECT_EQ(Slot(36), (Bytes{'x', 0}));
}

TEST_F(CombinationLength, EnterWritesTheTypedLengthButEscapeAfterTheQuestionWritesNothing) {
    ASSERT_TRUE(editor.Initialise(profile));
    ASSERT_TRUE(LeaveLengthEdit(7, CancelButton).ask);
    EXPECT_TRUE(editor.AnswerLargeLength(true).proceed);
    editor.Close();
    EXPECT_EQ(profile.stored.settings.maxChars, 2);
    EXPECT_FALSE(profile.modified);

    ASSERT_TRUE(editor.Initialise(profile));
    ASSERT_TRUE(LeaveLengthEdit(3, OkButton).proceed);
    ASSERT_TRUE(editor.WriteBack(profile));
    ASSERT_EQ(profile.Save(), SaveResult::Saved);
    const Bytes& file = recording::Files().at("C:\\Q\\Pad.qvp");
    EXPECT_EQ(file.size(), ProfileFileSize(32, 3));
    EXPECT_EQ(file[28], 3);  // MaxChars
}

TEST_F(CombinationLength, ALengthWithoutMemoryDropsTheCommandAndKeepsTheOldLength) {
    ButtonEditorState starved(FailingFrom(3));  // the two working buffers, then none
    FillSlot(0, "ab");
    ASSERT_TRUE(starved.Initialise(profile));
    starved.BeforeCommand(IDC_BC_MAX_CHARS, 4);
    const CommandGate gate = starved.BeforeCommand(OkButton, 4);
    EXPECT_FALSE(gate.proceed);
    EXPECT_EQ(gate.message->text, EditorNoMemoryMessage().text);
    EXPECT_EQ(gate.redraw, Redraw::Nothing);                  // the edit keeps showing 4
    EXPECT_TRUE(starved.BeforeCommand(OkButton, 4).proceed);  // not checked again
    ASSERT_TRUE(starved.WriteBack(profile));
    EXPECT_EQ(profile.stored.settings.maxChars, 2);
    EXPECT_EQ(Slot(0), (Bytes{'a', 'b'}));
}

}  // namespace
}  // namespace editortest
