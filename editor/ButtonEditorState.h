// The button configuration dialog's working state: copies of the current profile's mappings and
// options that every edit changes and only OK writes back, and what the dialog's controls show.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/ActionVocabulary.h"
#include "profiles/JoystickProfile.h"
#include "profiles/Messages.h"

// One column of the dialog: modifier list, key list, the two "+" and the text edit.
struct ColumnView {
    int modifierSelection = -1;  // -1: the list shows no selection
    int keySelection = -1;
    std::string text;  // the text edit
    // Key list, both "+" and the text edit; hidden for "Move Mouse" and "Scroll" on a stick.
    bool keyShown = true;
};

// Everything the dialog's controls show, as plain data.
struct ButtonEditorView {
    std::string profileName;                // label 1029
    std::vector<std::string> events;        // list 1015: the events this device has
    std::vector<std::string> shiftButtons;  // list 1020
    std::vector<std::string> modifiers;     // lists 1016 and 1018: 10 for a stick, else 8
    std::vector<std::string> keys;          // lists 1017 and 1019
    int selectedEvent = 0;                  // index in list 1015
    int shiftSelection = -1;                // index in list 1020; -1: no selection
    ColumnView normal, shifted;             // 1016, 1017, 1022 and 1018, 1019, 1023
    int32_t textLimit = 0;                  // characters the two text edits accept
    uint32_t length = 0;                    // edit 1060
    bool swapY = false, swapX = false, progressive = false;  // check boxes 1033, 1034, 1062
    std::vector<std::string> stick2AxesChoices;              // list 1071
    int stick2AxesSelection = 0;  // a stored value the list does not have shows Automatic
};

// The parts of the dialog to copy from the view after a call, so that the control the user is
// working in is not rewritten under the caret.
enum class Redraw : unsigned {
    Nothing = 0,
    ModifierLists = 1,  // contents of 1016 and 1018
    Selections = 2,     // selections of the four column lists
    Texts = 4,          // limit and text of 1022 and 1023
    Visibility = 8,     // the key parts of each column
    Length = 16,        // edit 1060
    Events = 32,        // contents and selection of the event list 1015
    EventChoice = 64,   // the selection of the event list 1015 alone
    Everything = 0xFF,  // also the label, every list, the shift selection and the check boxes
};
constexpr Redraw operator|(Redraw a, Redraw b) {
    return static_cast<Redraw>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
constexpr bool Includes(Redraw set, Redraw part) {
    return (static_cast<unsigned>(set) & static_cast<unsigned>(part)) != 0;
}

// What the dialog does with a command after the combination-length check.
struct CommandGate {
    bool ask = false;  // ask LargeLengthQuestion() with Yes and No, then call AnswerLargeLength
    std::optional<MessageText> message;  // show first; owned means over the dialog
    Redraw redraw = Redraw::Nothing;     // then copy these parts from View()
    bool proceed = true;                 // then handle the command; false: drop it
};

enum class Option { SwapY, SwapX, Progressive };

class ButtonEditorState {
  public:
    // Gives a zero-filled buffer of that many bytes, or null when none can be had.
    using Allocator = std::function<std::unique_ptr<uint8_t[]>(size_t bytes)>;
    explicit ButtonEditorState(Allocator allocator = ZeroedBuffer);

    // On opening and after the profile menu: working copies of the profile, the first event
    // selected, every change so far dropped; the dialog then redraws Everything. False when a
    // working buffer cannot be had: the dialog shows EditorNoMemoryMessage() and ends with 2, and
    // the state holds no copies.
    bool Initialise(const JoystickProfile& profile);
    bool IsOpen() const { return open; }
    // Whether `profile` is still the one the copies were taken from: the same profile name (in
    // any letter case) for the same button count. A pad that came back under another profile
    // must not take edits made for the one it had.
    bool IsFor(const JoystickProfile& profile) const;
    // Drops the working copies (the dialog is destroyed).
    void Close();

    // On every command, before anything else: checks the combination length typed in the length
    // edit when the command comes from another control than the previous command, which came from
    // the length edit. `typedLength` is the edit's number, 0 when empty.
    CommandGate BeforeCommand(int controlId, uint32_t typedLength);
    // The user's answer to LargeLengthQuestion(): Yes applies the length, No puts the old one back.
    CommandGate AnswerLargeLength(bool yes);

    // A selection in the event list; -1 (no selection) is ignored. "Move Mouse" and "Scroll"
    // leave the modifier lists for a button, the D-pad or Z and come back for a stick.
    Redraw SelectEvent(int index);
    // A poll of the joystick being configured, its reading before and now: the first event, in
    // event order, that the event list offers and that the poll makes newly active by the working
    // Stick 2 axes and swap flags; 0 when none, and while the state holds no copies.
    int PressedEvent(const platform::JoystickState& previous,
                     const platform::JoystickState& current) const;
    // Whether the length edit, the last control used, shows a number (`typedLength`, 0 when empty)
    // other than the working length: the next command checks it, and may ask about it, so a pick,
    // whose redraw notifies the text edits, waits until then.
    bool LengthUnchecked(uint32_t typedLength) const;
    // Selects the event with that number as SelectEvent selects its index, and the event list
    // then shows it; Nothing when the list does not offer it or shows it already.
    Redraw SelectEventNumber(int event);
    // A selection in the "Stick 2 axes" list; -1 is ignored. The event list then offers the
    // events the device has with those axes; an event no longer offered gives way to the first.
    Redraw PickStick2Axes(int index);
    // A selection in a column's modifier or key list, or in the shift list; -1 is ignored.
    Redraw PickModifier(Column column, int index);
    Redraw PickKey(Column column, int index);
    Redraw PickShiftButton(int index);
    // The text edit of a column changed: its slot takes at most the working length of characters,
    // then zeros.
    Redraw SetText(Column column, const std::string& text);
    // A click on a check box: the working flag becomes 1 from 0, else 0.
    Redraw Toggle(Option option);

    // OK: releases what the joystick holds, then gives the profile every working copy, the text
    // buffer included, and marks it modified; the caller then saves it. The state is closed
    // afterwards. False, changing nothing, when the state holds no copies.
    bool WriteBack(JoystickProfile& profile);

    ButtonEditorView View() const;

    static std::unique_ptr<uint8_t[]> ZeroedBuffer(size_t bytes);

  private:
    CommandGate ApplyLength(uint32_t length);
    std::string TextOf(Column column, int event) const;
    Redraw MoveSelection(int previous, int index);
    int SelectedEventNumber() const { return events[static_cast<size_t>(selectedEvent)]; }
    int ModifierCount() const;
    void ListEvents();

    Allocator allocate;
    bool open = false;
    std::string profileName;
    int32_t buttonCount = 0;
    platform::JoystickCaps caps;
    // The event numbers of the event list, in list order.
    std::vector<int> events;
    // The working copy; its slider settings are not the dialog's and are not written back.
    StoredProfile work;
    int selectedEvent = 0;
    int lastCommandControl = 0;  // no control of the dialog has 0
    uint32_t pendingLength = 0;  // asked about, not yet answered
    // What the lists show, which clamping may make differ from the working values.
    int shownModifier[2] = {-1, -1};
    int shownKey[2] = {-1, -1};
    int shownShiftButton = -1;
};
