// Pressing a control of the joystick picks its event in the button configuration dialog: by the
// dialog's working choices, among the events its list offers, selected as a choice in the list.
#include "tests/editor/EditorFixture.h"

namespace editortest {
namespace {

using platform::JoystickState;

constexpr uint32_t Mid = 32767, Low = 0, High = 65535;
const JoystickState AtRest = {Mid, Mid, 0, Mid, Mid, Mid, Mid, platform::PovCentred};

class PickByPress : public EditorTest {
  protected:
    // A pad reporting 4 buttons through a driver that reports 32, with Z, R, U and a hat.
    PickByPress() {
        platform::JoystickCaps& caps = recording::JoystickAt(0).caps;
        caps.numButtons = 4;
        caps.zMax = caps.rMax = caps.uMax = High;
        caps.hasZ = caps.hasR = caps.hasU = caps.hasPov = true;
        profile.SetUpDevice();
    }
    int Pressed(const JoystickState& current) const { return editor.PressedEvent(AtRest, current); }
};

TEST_F(PickByPress, APressPicksByTheWorkingChoicesTheFirstEventTheListOffers) {
    JoystickState reading = AtRest;
    reading.buttons = 0x20;
    EXPECT_EQ(Pressed(reading), 0);  // closed
    ASSERT_TRUE(editor.Initialise(profile));
    // Button 6, beyond the pad's 4, is not offered: alone it picks nothing; pressed with the
    // D-pad's Up, Up is picked.
    EXPECT_EQ(Pressed(reading), 0);
    reading.pov = 0;
    EXPECT_EQ(Pressed(reading), DpadEvent(0));
    // The working swap flag counts, not the profile's.
    editor.Toggle(Option::SwapX);
    reading = AtRest;
    reading.x = Low;
    EXPECT_EQ(Pressed(reading), DirectionEvent(1));
    // Automatic takes U and R: Z is the triggers' axis until "Z and R" is chosen.
    reading = AtRest;
    reading.z = High;
    EXPECT_EQ(Pressed(reading), ZHighEvent);
    editor.PickStick2Axes(static_cast<int>(SecondStickAxes::ZR));
    EXPECT_EQ(Pressed(reading), SecondStickEvent(1));
}

TEST_F(PickByPress, ALengthTypedButNotYetCheckedHoldsPicksBackUntilTheCheck) {
    ASSERT_TRUE(editor.Initialise(profile));
    // The dialog's own redraw of the length edit leaves nothing to check.
    editor.BeforeCommand(IDC_BC_MAX_CHARS, 2);
    EXPECT_FALSE(editor.LengthUnchecked(2));
    EXPECT_TRUE(editor.LengthUnchecked(7));
    EXPECT_TRUE(editor.LengthUnchecked(0));
    EXPECT_TRUE(editor.BeforeCommand(IDC_BC_EVENT, 7).ask);
    editor.AnswerLargeLength(false);
    EXPECT_FALSE(editor.LengthUnchecked(7));
}

TEST_F(PickByPress, SelectingAnEventByNumberShowsItsMappingUnlessNotListedOrShownAlready) {
    profile.stored.SetAction(1, ButtonEvent(2), 23);
    ASSERT_TRUE(editor.Initialise(profile));
    const Redraw redraw = editor.SelectEventNumber(ButtonEvent(2));
    // The event list, whose choice this is not, shows it too.
    EXPECT_TRUE(Includes(redraw, Redraw::EventChoice));
    EXPECT_TRUE(Includes(redraw, Redraw::ModifierLists) && Includes(redraw, Redraw::Texts));
    EXPECT_EQ(editor.View().selectedEvent, 5);
    EXPECT_EQ(editor.View().normal.keySelection, 23);
    // Again: nothing to redraw, so a text being typed is not rewritten under the caret.
    EXPECT_EQ(editor.SelectEventNumber(ButtonEvent(2)), Redraw::Nothing);
    for (int unlisted : {ButtonEvent(5), 0, LastEvent + 1}) {
        EXPECT_EQ(editor.SelectEventNumber(unlisted), Redraw::Nothing) << unlisted;
    }
    EXPECT_EQ(editor.View().selectedEvent, 5);
    editor.SelectEventNumber(SecondStickEvent(3));
    EXPECT_EQ(editor.View().events[static_cast<size_t>(editor.View().selectedEvent)],
              "Stick 2 Left");
}

}  // namespace
}  // namespace editortest
