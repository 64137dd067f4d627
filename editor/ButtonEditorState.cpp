// The button configuration dialog's state machine: selections, list clamping, visibility, slot
// texts, the combination length and the write-back.
#include "editor/ButtonEditorState.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <new>
#include <utility>

namespace {

// The largest length the two-digit length edit can hold; a profile file may hold a larger one.
constexpr uint32_t LongestTypedLength = 99;
// Above this the user is asked first.
constexpr uint32_t LongestUnaskedLength = 5;

int ColumnIndex(Column column) { return column == Column::Shifted ? 1 : 0; }

// What a list shows for a stored value right after filling: the entry, or nothing.
int ShownAtFill(int32_t value, int count) { return value >= 0 && value < count ? value : -1; }
// What it shows after an event change: a value past the end shows " ", a negative one nothing.
int ShownAtSelect(int32_t value, int count) {
    if (value >= count) return 0;
    return value < 0 ? -1 : value;
}

}  // namespace

std::unique_ptr<uint8_t[]> ButtonEditorState::ZeroedBuffer(size_t bytes) {
    return std::unique_ptr<uint8_t[]>(new (std::nothrow) uint8_t[bytes]());
}

ButtonEditorState::ButtonEditorState(Allocator allocator) : allocate(std::move(allocator)) {}

bool ButtonEditorState::Initialise(const JoystickProfile& profile) {
    assert(profile.stored.settings.maxChars >= 1);
    Close();
    const StoredProfile& stored = profile.stored;
    work.CombinationText = allocate(stored.TextBytes());
    if (!work.CombinationText) return false;
    if (stored.CombinationText) {
        std::memcpy(work.CombinationText.get(), stored.CombinationText.get(), stored.TextBytes());
    }
    work.settings = stored.settings;
    work.ActionTable = stored.ActionTable;
    work.shiftButton = stored.shiftButton;
    profileName = profile.profileName;
    buttonCount = profile.ButtonCount();
    selectedEvent = 0;
    // The lists are filled for "Move Up"; a value a list does not have leaves it unselected.
    for (Column column : {Column::Normal, Column::Shifted}) {
        shownModifier[ColumnIndex(column)] =
            ShownAtFill(work.ActionTable[ModifierIndex(column, 1)], ModifierCount());
        shownKey[ColumnIndex(column)] =
            ShownAtFill(work.ActionTable[KeyIndex(column, 1)], KeyChoiceCount);
    }
    shownShiftButton = ShownAtFill(work.shiftButton, buttonCount + 1);
    pendingLength = 0;
    open = true;
    return true;
}

void ButtonEditorState::Close() {
    work.CombinationText.reset();
    open = false;
}

int ButtonEditorState::ModifierCount() const {
    return static_cast<int>(IsDirection(SelectedEventNumber()) ? DirectionModifierNames().size()
                                                               : ButtonModifierNames().size());
}

CommandGate ButtonEditorState::BeforeCommand(int controlId, uint32_t typedLength) {
    const bool leftLengthEdit =
        controlId != lastCommandControl && lastCommandControl == LengthEditControl;
    // Set first: the text edits' own notifications while the check refreshes them do not check
    // again.
    lastCommandControl = controlId;
    if (!open || !leftLengthEdit) return {};
    CommandGate gate;
    if (typedLength < 1) {
        gate.message = TooFewCharactersMessage();
        gate.redraw = Redraw::Length;
        return gate;
    }
    if (typedLength == static_cast<uint32_t>(work.settings.maxChars)) return gate;
    // The edit cannot take more digits, so such a number did not come from the user.
    if (typedLength > LongestTypedLength) {
        gate.redraw = Redraw::Length;
        return gate;
    }
    if (typedLength > LongestUnaskedLength) {
        pendingLength = typedLength;
        gate.ask = true;
        gate.proceed = false;
        return gate;
    }
    return ApplyLength(typedLength);
}

CommandGate ButtonEditorState::AnswerLargeLength(bool yes) {
    const uint32_t length = pendingLength;
    pendingLength = 0;
    if (!open || length == 0) return {};
    if (!yes) {
        CommandGate gate;
        gate.redraw = Redraw::Length;
        return gate;
    }
    return ApplyLength(length);
}

// Every slot keeps its first bytes up to the new length: growing pads with zeros, shrinking cuts,
// and a cut slot that is full has no terminator.
CommandGate ButtonEditorState::ApplyLength(uint32_t length) {
    const int32_t newLength = static_cast<int32_t>(length);
    std::unique_ptr<uint8_t[]> text = allocate(static_cast<size_t>(TextSlotCount) * newLength);
    CommandGate gate;
    if (!text) {
        // The length edit keeps the refused number; the command that ran the check is dropped.
        gate.message = EditorNoMemoryMessage();
        gate.proceed = false;
        return gate;
    }
    const size_t kept = static_cast<size_t>(std::min(newLength, work.settings.maxChars));
    for (int slot = 0; slot < TextSlotCount; ++slot) {
        std::memcpy(text.get() + static_cast<size_t>(slot) * newLength,
                    work.CombinationText.get() + static_cast<size_t>(slot) * work.settings.maxChars,
                    kept);
    }
    work.CombinationText = std::move(text);
    work.settings.maxChars = newLength;
    gate.redraw = Redraw::Texts;
    return gate;
}

Redraw ButtonEditorState::SelectEvent(int index) {
    if (!open || index < 0 || index >= DirectionCount + buttonCount) return Redraw::Nothing;
    const bool wasDirection = IsDirection(SelectedEventNumber());
    selectedEvent = index;
    const int event = SelectedEventNumber();
    // Clamping changes only what the lists show; the working values stay until a pick.
    for (Column column : {Column::Normal, Column::Shifted}) {
        shownModifier[ColumnIndex(column)] =
            ShownAtSelect(work.ActionTable[ModifierIndex(column, event)], ModifierCount());
        shownKey[ColumnIndex(column)] =
            ShownAtSelect(work.ActionTable[KeyIndex(column, event)], KeyChoiceCount);
    }
    const Redraw redraw = Redraw::Selections | Redraw::Texts | Redraw::Visibility;
    return wasDirection == IsDirection(event) ? redraw : redraw | Redraw::ModifierLists;
}

Redraw ButtonEditorState::PickModifier(Column column, int index) {
    if (!open || index < 0 || index >= ModifierCount()) return Redraw::Nothing;
    work.ActionTable[ModifierIndex(column, SelectedEventNumber())] = index;
    shownModifier[ColumnIndex(column)] = index;
    return Redraw::Visibility;
}

Redraw ButtonEditorState::PickKey(Column column, int index) {
    if (!open || index < 0 || index >= KeyChoiceCount) return Redraw::Nothing;
    work.ActionTable[KeyIndex(column, SelectedEventNumber())] = index;
    shownKey[ColumnIndex(column)] = index;
    return Redraw::Nothing;
}

Redraw ButtonEditorState::PickShiftButton(int index) {
    if (!open || index < 0 || index > buttonCount) return Redraw::Nothing;
    work.shiftButton = index;
    shownShiftButton = index;
    return Redraw::Nothing;
}

Redraw ButtonEditorState::SetText(Column column, const std::string& text) {
    if (!open) return Redraw::Nothing;
    uint8_t* slot =
        work.CombinationText.get() +
        static_cast<size_t>(TextSlot(column, SelectedEventNumber())) * work.settings.maxChars;
    const size_t length = std::min(text.size(), static_cast<size_t>(work.settings.maxChars));
    std::memset(slot, 0, static_cast<size_t>(work.settings.maxChars));
    std::memcpy(slot, text.data(), length);
    return Redraw::Nothing;
}

Redraw ButtonEditorState::Toggle(Option option) {
    if (!open) return Redraw::Nothing;
    int32_t& flag = option == Option::SwapY   ? work.settings.swapY
                    : option == Option::SwapX ? work.settings.swapX
                                              : work.settings.progressive;
    flag = flag == 0 ? 1 : 0;
    return Redraw::Nothing;
}

bool ButtonEditorState::WriteBack(JoystickProfile& profile) {
    if (!open) return false;
    // Released under the old mappings, so no key stays down that the new ones no longer name.
    profile.ReleaseHeld();
    // The sliders' settings stay the profile's; the rest is what the dialog edited. The working
    // buffer becomes the profile's: nothing is allocated, so nothing can fail here.
    const ProfileSettings& sliders = profile.stored.settings;
    work.settings.acceleration = sliders.acceleration;
    work.settings.pollingDelay = sliders.pollingDelay;
    work.settings.sensitivity = sliders.sensitivity;
    work.settings.threshold = sliders.threshold;
    profile.stored = std::move(work);
    profile.modified = true;
    Close();
    return true;
}

std::string ButtonEditorState::SlotText(int slot) const {
    const char* start = reinterpret_cast<const char*>(work.CombinationText.get()) +
                        static_cast<size_t>(slot) * work.settings.maxChars;
    // A full slot has no terminator.
    return std::string(start, std::find(start, start + work.settings.maxChars, '\0'));
}

ButtonEditorView ButtonEditorState::View() const {
    ButtonEditorView view;
    if (!open) return view;
    view.profileName = profileName;
    view.shiftButtons.push_back(" ");
    for (int event = 1; event <= DirectionCount + buttonCount; ++event) {
        view.events.push_back(EventName(event));
        if (!IsDirection(event)) view.shiftButtons.push_back(EventName(event));
    }
    const int event = SelectedEventNumber();
    view.modifiers = IsDirection(event) ? DirectionModifierNames() : ButtonModifierNames();
    view.keys = KeyChoiceNames();
    view.selectedEvent = selectedEvent;
    view.shiftSelection = shownShiftButton;
    for (Column column : {Column::Normal, Column::Shifted}) {
        ColumnView& shown = column == Column::Shifted ? view.shifted : view.normal;
        shown.modifierSelection = shownModifier[ColumnIndex(column)];
        shown.keySelection = shownKey[ColumnIndex(column)];
        shown.text = SlotText(TextSlot(column, event));
        shown.keyShown = !(IsDirection(event) &&
                           work.ActionTable[ModifierIndex(column, event)] == MoveMouseChoice);
    }
    view.textLimit = work.settings.maxChars;
    view.length = static_cast<uint32_t>(work.settings.maxChars);
    view.swapY = work.settings.swapY != 0;
    view.swapX = work.settings.swapX != 0;
    view.progressive = work.settings.progressive != 0;
    return view;
}
