// The button configuration dialog's state machine: selections, list clamping, visibility, slot
// texts, the combination length and the write-back.
#include "editor/ButtonEditorState.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <new>
#include <utility>

#include "engine/ControlReading.h"
#include "profiles/ProfileName.h"
#include "resources/resource.h"

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

// The event numbers a device offers, in event order: the directions, its buttons, then the
// D-pad, the second stick and the Z axis as the poll reads them: the D-pad with a hat, each
// second-stick direction when the device has that direction's axis (Up and Down the vertical one,
// Right and Left the horizontal one), Z when the device has it and the stick leaves it.
std::vector<int> EventsOf(int32_t buttonCount, const platform::JoystickCaps& caps,
                          int32_t stick2Axes) {
    std::vector<int> events;
    for (int event = 1; event <= DirectionCount + buttonCount; ++event) events.push_back(event);
    const StickAxes axes = ResolveSecondStick(stick2Axes, caps);
    const bool zAxis = caps.hasZ && !axes.Uses(ExtraAxis::Z);
    for (int direction = 0; direction < DirectionCount; ++direction) {
        if (caps.hasPov) events.push_back(DpadEvent(direction));
    }
    for (int direction = 0; direction < DirectionCount; ++direction) {
        // Directions 0 and 2 are Up and Down.
        const ExtraAxis axis = direction % 2 == 0 ? axes.vertical : axes.horizontal;
        if (HasAxis(caps, axis)) events.push_back(SecondStickEvent(direction));
    }
    if (zAxis) events.insert(events.end(), {ZLowEvent, ZHighEvent});
    return events;
}

// Copies `slots` text slots from one width to another: each keeps its first bytes up to the new
// width, growing pads with zeros, shrinking cuts, and a cut slot that is full has no terminator.
void CopySlots(const uint8_t* from, int32_t fromWidth, uint8_t* to, int32_t toWidth, int slots) {
    const size_t kept = static_cast<size_t>(std::min(fromWidth, toWidth));
    for (int slot = 0; slot < slots; ++slot) {
        std::memcpy(to + static_cast<size_t>(slot) * toWidth,
                    from + static_cast<size_t>(slot) * fromWidth, kept);
    }
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
    if (work.CombinationText) work.extraText = allocate(stored.ExtraTextBytes());
    if (!work.extraText) {
        Close();
        return false;
    }
    if (stored.CombinationText) {
        std::memcpy(work.CombinationText.get(), stored.CombinationText.get(), stored.TextBytes());
    }
    if (stored.extraText) {
        std::memcpy(work.extraText.get(), stored.extraText.get(), stored.ExtraTextBytes());
    }
    work.settings = stored.settings;
    work.ActionTable = stored.ActionTable;
    work.extraActions = stored.extraActions;
    work.stick2Axes = stored.stick2Axes;
    work.shiftButton = stored.shiftButton;
    profileName = profile.profileName;
    buttonCount = profile.ButtonCount();
    caps = profile.Caps();
    ListEvents();
    selectedEvent = 0;
    // The lists are filled for "Move Up"; a value a list does not have leaves it unselected.
    for (Column column : {Column::Normal, Column::Shifted}) {
        shownModifier[ColumnIndex(column)] = ShownAtFill(work.Modifier(column, 1), ModifierCount());
        shownKey[ColumnIndex(column)] = ShownAtFill(work.Key(column, 1), KeyChoiceCount);
    }
    shownShiftButton = ShownAtFill(work.shiftButton, buttonCount + 1);
    pendingLength = 0;
    open = true;
    return true;
}

bool ButtonEditorState::IsFor(const JoystickProfile& profile) const {
    return open && Lowered(profile.profileName) == Lowered(profileName) &&
           profile.ButtonCount() == buttonCount;
}

void ButtonEditorState::Close() {
    work.CombinationText.reset();
    work.extraText.reset();
    open = false;
}

void ButtonEditorState::ListEvents() { events = EventsOf(buttonCount, caps, work.stick2Axes); }

int ButtonEditorState::ModifierCount() const {
    return static_cast<int>(ModifierNames(SelectedEventNumber()).size());
}

CommandGate ButtonEditorState::BeforeCommand(int controlId, uint32_t typedLength) {
    const bool leftLengthEdit =
        controlId != lastCommandControl && lastCommandControl == IDC_BC_MAX_CHARS;
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

// Both text buffers, the classic slots and the extension's, take the new length.
CommandGate ButtonEditorState::ApplyLength(uint32_t length) {
    const int32_t newLength = static_cast<int32_t>(length);
    std::unique_ptr<uint8_t[]> text = allocate(static_cast<size_t>(TextSlotCount) * newLength);
    std::unique_ptr<uint8_t[]> extra;
    if (text) extra = allocate(static_cast<size_t>(ExtraTextSlotCount) * newLength);
    CommandGate gate;
    if (!extra) {
        // The length edit keeps the refused number; the command that ran the check is dropped.
        gate.message = EditorNoMemoryMessage();
        gate.proceed = false;
        return gate;
    }
    const int32_t oldLength = work.settings.maxChars;
    CopySlots(work.CombinationText.get(), oldLength, text.get(), newLength, TextSlotCount);
    CopySlots(work.extraText.get(), oldLength, extra.get(), newLength, ExtraTextSlotCount);
    work.CombinationText = std::move(text);
    work.extraText = std::move(extra);
    work.settings.maxChars = newLength;
    gate.redraw = Redraw::Texts;
    return gate;
}

Redraw ButtonEditorState::SelectEvent(int index) {
    if (!open || index < 0 || index >= static_cast<int>(events.size())) return Redraw::Nothing;
    return MoveSelection(SelectedEventNumber(), index);
}

// Shows the event at `index` of the list; `previous` is the event shown until now.
Redraw ButtonEditorState::MoveSelection(int previous, int index) {
    selectedEvent = index;
    const int event = SelectedEventNumber();
    // Clamping changes only what the lists show; the working values stay until a pick.
    for (Column column : {Column::Normal, Column::Shifted}) {
        shownModifier[ColumnIndex(column)] =
            ShownAtSelect(work.Modifier(column, event), ModifierCount());
        shownKey[ColumnIndex(column)] = ShownAtSelect(work.Key(column, event), KeyChoiceCount);
    }
    const Redraw redraw = Redraw::Selections | Redraw::Texts | Redraw::Visibility;
    return &ModifierNames(previous) == &ModifierNames(event) ? redraw
                                                             : redraw | Redraw::ModifierLists;
}

int ButtonEditorState::PressedEvent(const platform::JoystickState& previous,
                                    const platform::JoystickState& current) const {
    if (!open) return 0;
    uint64_t offered = 0;
    for (int event : events) offered |= uint64_t{1} << event;
    // The working Threshold is the profile's: its slider cannot move while the dialog is open.
    return PickedEvent(previous, current, caps, work.settings, work.stick2Axes, offered);
}

bool ButtonEditorState::LengthUnchecked(uint32_t typedLength) const {
    return open && lastCommandControl == IDC_BC_MAX_CHARS &&
           typedLength != static_cast<uint32_t>(work.settings.maxChars);
}

Redraw ButtonEditorState::SelectEventNumber(int event) {
    if (!open || event == SelectedEventNumber()) return Redraw::Nothing;
    const auto listed = std::find(events.begin(), events.end(), event);
    if (listed == events.end()) return Redraw::Nothing;
    return Redraw::EventChoice | SelectEvent(static_cast<int>(listed - events.begin()));
}

Redraw ButtonEditorState::PickStick2Axes(int index) {
    if (!open || index < 0 || index >= static_cast<int>(SecondStickAxesNames().size())) {
        return Redraw::Nothing;
    }
    const int event = SelectedEventNumber();
    work.stick2Axes = index;
    ListEvents();
    const auto kept = std::find(events.begin(), events.end(), event);
    if (kept == events.end()) return Redraw::Events | MoveSelection(event, 0);
    selectedEvent = static_cast<int>(kept - events.begin());
    return Redraw::Events;
}

Redraw ButtonEditorState::PickModifier(Column column, int index) {
    if (!open || index < 0 || index >= ModifierCount()) return Redraw::Nothing;
    work.SetAction(column == Column::Shifted ? 2 : 0, SelectedEventNumber(), index);
    shownModifier[ColumnIndex(column)] = index;
    return Redraw::Visibility;
}

Redraw ButtonEditorState::PickKey(Column column, int index) {
    if (!open || index < 0 || index >= KeyChoiceCount) return Redraw::Nothing;
    work.SetAction(column == Column::Shifted ? 3 : 1, SelectedEventNumber(), index);
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
    uint8_t* slot = work.Text(column, SelectedEventNumber());
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

std::string ButtonEditorState::TextOf(Column column, int event) const {
    const char* start = reinterpret_cast<const char*>(work.Text(column, event));
    // A full slot has no terminator.
    return std::string(start, std::find(start, start + work.settings.maxChars, '\0'));
}

ButtonEditorView ButtonEditorState::View() const {
    ButtonEditorView view;
    if (!open) return view;
    view.profileName = profileName;
    for (int listed : events) view.events.push_back(EventName(listed));
    view.shiftButtons.push_back(" ");
    for (int button = 1; button <= buttonCount; ++button) {
        view.shiftButtons.push_back(EventName(ButtonEvent(button)));
    }
    const int event = SelectedEventNumber();
    view.modifiers = ModifierNames(event);
    view.keys = KeyChoiceNames();
    view.selectedEvent = selectedEvent;
    view.shiftSelection = shownShiftButton;
    for (Column column : {Column::Normal, Column::Shifted}) {
        ColumnView& shown = column == Column::Shifted ? view.shifted : view.normal;
        shown.modifierSelection = shownModifier[ColumnIndex(column)];
        shown.keySelection = shownKey[ColumnIndex(column)];
        shown.text = TextOf(column, event);
        const int32_t modifier = work.Modifier(column, event);
        shown.keyShown =
            !(IsStickDirection(event) && (modifier == MoveMouseChoice || modifier == ScrollChoice));
    }
    view.textLimit = work.settings.maxChars;
    view.length = static_cast<uint32_t>(work.settings.maxChars);
    view.swapY = work.settings.swapY != 0;
    view.swapX = work.settings.swapX != 0;
    view.progressive = work.settings.progressive != 0;
    view.stick2AxesChoices = SecondStickAxesNames();
    // The poll reads a value the list does not have as Automatic, the first entry.
    view.stick2AxesSelection =
        std::max(0, ShownAtFill(work.stick2Axes, static_cast<int>(SecondStickAxesNames().size())));
    return view;
}
