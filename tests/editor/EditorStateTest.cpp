// The button configuration dialog's working state: its lists and what they show, the visibility
// of the key parts, text slots and check boxes, and what OK, Cancel and the profile menu leave.
#include "tests/editor/EditorFixture.h"

namespace editortest {
namespace {

using Lists = EditorTest;
using Columns = EditorTest;
using Closing = EditorTest;

TEST_F(Lists, EventAndShiftListsOfferTheDirectionsThenEachReportedButtonUpTo32) {
    const struct {
        uint32_t reported;
        size_t events;
        const char* last;
    } cases[] = {{0, 4, "Move Left"}, {3, 7, "Button 3"}, {40, 36, "Button 32"}};
    for (const auto& c : cases) {
        recording::JoystickAt(0).caps.numButtons = c.reported;
        profile.SetUpDevice();
        ASSERT_TRUE(editor.Initialise(profile));
        EXPECT_EQ(editor.View().events.size(), c.events);
        EXPECT_EQ(editor.View().events.back(), c.last);
        EXPECT_EQ(editor.View().shiftButtons.size(), c.events - 3);  // " " and the buttons
        EXPECT_EQ(editor.SelectEvent(static_cast<int>(c.events)), Redraw::Nothing);
    }
}

TEST_F(Lists, AfterTheButtonsComeTheDpadSecondStickAndZAxisTheDeviceHasAsTheAxesChoiceSays) {
    platform::JoystickCaps& caps = recording::JoystickAt(0).caps;
    caps.numButtons = 2;
    caps.hasZ = caps.hasV = caps.hasPov = true;  // no R: Automatic finds no second stick
    profile.SetUpDevice();
    profile.stored.SetAction(1, DpadEvent(3), 23);
    ASSERT_TRUE(editor.Initialise(profile));
    ButtonEditorView view = editor.View();
    ASSERT_EQ(view.events.size(), 12u);
    EXPECT_EQ(view.events[6], "D-pad Up");
    EXPECT_EQ(view.events[10], "Z Axis -");
    EXPECT_EQ(view.stick2AxesSelection, 0);
    editor.SelectEvent(9);  // D-pad Left: the button's modifiers
    EXPECT_EQ(editor.View().modifiers.size(), 8u);
    EXPECT_EQ(editor.View().normal.keySelection, 23);
    editor.SelectEvent(11);  // Z Axis +, which the second stick on Z and V takes away
    const Redraw redraw = editor.PickStick2Axes(4);
    EXPECT_TRUE(Includes(redraw, Redraw::Events) && Includes(redraw, Redraw::ModifierLists));
    view = editor.View();
    ASSERT_EQ(view.events.size(), 14u);
    EXPECT_EQ(view.events[10], "Stick 2 Up");
    EXPECT_EQ(view.events.back(), "Stick 2 Left");
    EXPECT_EQ(view.selectedEvent, 0);
    editor.SelectEvent(10);
    EXPECT_EQ(editor.View().modifiers.size(), 10u);
    editor.PickModifier(Column::Normal, ScrollChoice);
    ASSERT_TRUE(editor.WriteBack(profile));
    EXPECT_EQ(profile.stored.stick2Axes, 4);
    EXPECT_EQ(profile.stored.Modifier(Column::Normal, SecondStickEvent(0)), ScrollChoice);
    EXPECT_EQ(profile.stored.Key(Column::Normal, DpadEvent(3)), 23);
}

TEST_F(Lists, ASecondStickDirectionIsListedOnlyWhenItsOwnAxisExists) {
    platform::JoystickCaps& caps = recording::JoystickAt(0).caps;
    caps.numButtons = 0;
    caps.hasU = true;  // R and U chosen, the device has U alone: only the stick's vertical axis
    profile.SetUpDevice();
    profile.stored.stick2Axes = static_cast<int32_t>(SecondStickAxes::RU);
    ASSERT_TRUE(editor.Initialise(profile));
    EXPECT_EQ(editor.View().events,
              (std::vector<std::string>{"Move Up", "Move Right", "Move Down", "Move Left",
                                        "Stick 2 Up", "Stick 2 Down"}));
}

TEST_F(Lists, MoveMouseLeavesTheModifierListsForAButtonAndComesBackForADirection) {
    ASSERT_TRUE(editor.Initialise(profile));
    EXPECT_EQ(editor.View().modifiers.size(), 10u);
    EXPECT_FALSE(Includes(editor.SelectEvent(3), Redraw::ModifierLists));  // Up to Left
    ASSERT_TRUE(Includes(editor.SelectEvent(4), Redraw::ModifierLists));
    EXPECT_EQ(editor.View().modifiers.size(), 8u);
    EXPECT_EQ(editor.View().modifiers[1], "ALT");
    EXPECT_FALSE(Includes(editor.SelectEvent(35), Redraw::ModifierLists));
    ASSERT_TRUE(Includes(editor.SelectEvent(1), Redraw::ModifierLists));
    EXPECT_EQ(editor.View().modifiers[1], "Move Mouse");
}

TEST_F(Lists, ValuesAListLacksShowNothingAtOpeningAndABlankLaterAndAreKept) {
    profile.stored.ActionTable[ModifierIndex(Column::Normal, 1)] = 10;
    profile.stored.ActionTable[KeyIndex(Column::Shifted, 1)] = -3;
    profile.stored.ActionTable[ModifierIndex(Column::Normal, ButtonEvent(1))] = 8;
    profile.stored.shiftButton = 33;
    profile.stored.stick2Axes = 9;
    ASSERT_TRUE(editor.Initialise(profile));
    EXPECT_EQ(editor.View().stick2AxesSelection, 0);  // read as Automatic, shown so
    EXPECT_EQ(editor.View().normal.modifierSelection, -1);
    EXPECT_EQ(editor.View().shifted.keySelection, -1);
    EXPECT_EQ(editor.View().shiftSelection, -1);
    editor.SelectEvent(4);
    EXPECT_EQ(editor.View().normal.modifierSelection, 0);
    EXPECT_EQ(editor.SelectEvent(-1), Redraw::Nothing);  // no selection: ignored
    EXPECT_EQ(editor.View().selectedEvent, 4);
    const ActionEntries stored = profile.stored.ActionTable;
    ASSERT_TRUE(editor.WriteBack(profile));
    EXPECT_EQ(profile.stored.ActionTable, stored);
    EXPECT_EQ(profile.stored.shiftButton, 33);
    EXPECT_EQ(profile.stored.stick2Axes, 9);
}

TEST_F(Columns, MoveMouseOrScrollOnADirectionHidesThatColumnsKeyPartsButNeverOnAButton) {
    profile.stored.ActionTable[ModifierIndex(Column::Normal, 1)] = MoveMouseChoice;
    profile.stored.ActionTable[ModifierIndex(Column::Shifted, ButtonEvent(1))] = 1;  // ALT
    ASSERT_TRUE(editor.Initialise(profile));
    EXPECT_FALSE(editor.View().normal.keyShown);
    EXPECT_TRUE(editor.View().shifted.keyShown);
    EXPECT_EQ(editor.PickModifier(Column::Shifted, 1), Redraw::Visibility);
    EXPECT_FALSE(editor.View().shifted.keyShown);
    editor.PickModifier(Column::Normal, 2);
    EXPECT_TRUE(editor.View().normal.keyShown);
    editor.PickModifier(Column::Normal, ScrollChoice);
    EXPECT_FALSE(editor.View().normal.keyShown);
    editor.SelectEvent(4);
    EXPECT_TRUE(editor.View().shifted.keyShown);
}

TEST_F(Columns, OkReleasesHeldKeysThenTheJoystickFiresThePicksTextsAndFlags) {
    profile.stored.ActionTable[KeyIndex(Column::Normal, ButtonEvent(1))] = 23;  // Enter
    profile.stored.settings.progressive = 1;  // held, not re-fired
    profile.stored.settings.swapY = 5;
    profile.StartPolling();
    recording::JoystickAt(0).state.buttons = 1;
    profile.Poll();
    ASSERT_EQ(recording::TakeInput(), std::vector<recording::Call>{recording::KeyDown(0x0D)});

    ASSERT_TRUE(editor.Initialise(profile));
    EXPECT_TRUE(editor.View().swapY);
    editor.SelectEvent(4);
    editor.PickModifier(Column::Normal, 1);  // "ALT" on a button
    editor.PickKey(Column::Normal, 0);
    editor.SetText(Column::Normal, "xyz");
    editor.SetText(Column::Shifted, "q");
    editor.Toggle(Option::SwapY);
    editor.Toggle(Option::SwapX);
    editor.SelectEvent(0);
    editor.SelectEvent(4);
    EXPECT_EQ(editor.View().normal.text, "xy");
    ASSERT_TRUE(editor.WriteBack(profile));
    EXPECT_EQ(recording::TakeInput(), std::vector<recording::Call>{recording::KeyUp(0x0D)});
    EXPECT_EQ(Slot(TextSlot(Column::Shifted, ButtonEvent(1))), (Bytes{'q', 0}));
    EXPECT_EQ(profile.stored.settings.swapY, 0);
    EXPECT_EQ(profile.stored.settings.swapX, 1);

    profile.Poll();  // the button is still down: pressed afresh under its new mapping
    EXPECT_EQ(recording::TakeInput(),
              (std::vector<recording::Call>{recording::KeyDown(0x12), recording::KeyDown('X'),
                                            recording::KeyDown('Y')}));
}

TEST_F(Closing, OkWithoutChangeStillMarksTheProfileModifiedSoItIsSaved) {
    const Bytes before = recording::Files().at("C:\\Q\\Pad.qvp");
    ASSERT_TRUE(editor.Initialise(profile));
    ASSERT_TRUE(editor.WriteBack(profile));
    EXPECT_TRUE(profile.modified);
    ASSERT_EQ(profile.Save(), SaveResult::Saved);
    EXPECT_EQ(recording::Files().at("C:\\Q\\Pad.qvp"), before);
}

TEST_F(Closing, CancelAndTheDismissedProfileMenuDropEveryChange) {
    FillSlot(0, "ab");
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(editor.Initialise(profile));  // the second time: after the profile menu
        editor.SelectEvent(5);
        editor.PickKey(Column::Shifted, 45);
        editor.PickShiftButton(3);
        editor.SetText(Column::Normal, "zz");
        editor.Toggle(Option::SwapX);
        LeaveLengthEdit(4);
    }
    ASSERT_TRUE(editor.Initialise(profile));
    const ButtonEditorView view = editor.View();
    EXPECT_EQ(view.selectedEvent, 0);
    EXPECT_EQ(view.modifiers.size(), 10u);
    EXPECT_EQ(view.normal.text, "ab");
    EXPECT_EQ(view.length, 2u);
    EXPECT_EQ(view.shiftSelection, 0);
    EXPECT_FALSE(view.swapX);
    editor.Close();  // Cancel
    EXPECT_EQ(profile.stored.ActionTable, ActionEntries{});
    EXPECT_FALSE(profile.modified);
    EXPECT_TRUE(recording::Calls().empty());
}

TEST_F(Closing, WorkingCopiesThatCannotBeHadLeaveNothingToEditOrWriteBack) {
    ButtonEditorState starved(FailingFrom(1));
    EXPECT_FALSE(starved.Initialise(profile));
    EXPECT_TRUE(starved.View().events.empty());
    EXPECT_EQ(starved.SetText(Column::Normal, "a"), Redraw::Nothing);
    EXPECT_FALSE(starved.WriteBack(profile));
    EXPECT_FALSE(profile.modified);
}

TEST_F(Closing, TheCopiesAreForTheProfileTheyWereTakenFromInAnyLetterCaseOnly) {
    ASSERT_TRUE(editor.Initialise(profile));
    EXPECT_TRUE(editor.IsFor(profile));
    profile.profileName = "pad";
    EXPECT_TRUE(editor.IsFor(profile));
    profile.profileName = "Pad(10)";  // its pad came back with another button count
    EXPECT_FALSE(editor.IsFor(profile));
}

}  // namespace
}  // namespace editortest
