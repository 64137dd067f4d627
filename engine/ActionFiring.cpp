// Turns one joystick event into synthesised keyboard and mouse input, and owns ShiftActive.
#include "platform/Platform.h"
#include "profiles/JoystickProfile.h"

namespace {

constexpr uint32_t MouseLeftDown = 0x0002, MouseLeftUp = 0x0004;
constexpr uint32_t MouseRightDown = 0x0008, MouseRightUp = 0x0010;
constexpr uint32_t MouseAbsolute = 0x8000;

}  // namespace

// Returns false when the event is the shift button's: it switches columns and fires nothing.
bool JoystickProfile::ApplyShiftRule(int event, bool press) {
    if (shiftButton <= 0) {
        ShiftActive = false;
        return true;
    }
    // Compared as a button number: a stored value near the top of the range has no event.
    if (event - DirectionCount != shiftButton) return true;
    ShiftActive = press;
    return false;
}

void JoystickProfile::PressEvent(int event) {
    if (!ApplyShiftRule(event, true)) return;
    const Column column = ColumnInForce();
    FirePress(column, event);
    heldMask |= uint64_t{1} << event;
    if (column == Column::Shifted) {
        heldShifted |= uint64_t{1} << event;
    } else {
        heldShifted &= ~(uint64_t{1} << event);
    }
}

void JoystickProfile::ReleaseEvent(int event) {
    // A button held when it became the shift button still lets go of what it pressed.
    if (!ApplyShiftRule(event, false) && !IsHeld(event)) return;
    // A held event lets go of what its own column pressed, whatever column is in force now.
    Column column = ColumnInForce();
    if (IsHeld(event)) {
        column = (heldShifted >> event) & 1u ? Column::Shifted : Column::Normal;
    }
    heldMask &= ~(uint64_t{1} << event);
    heldShifted &= ~(uint64_t{1} << event);
    FireRelease(column, event);
}

void JoystickProfile::FirePress(Column column, int event) {
    const ModifierKeys modifier =
        KeysOfModifier(ModifierCode(event, ActionTable[ModifierIndex(column, event)]));
    for (int i = 0; i < modifier.count; ++i) platform::SendKey(modifier.keys[i], true);

    const int32_t key = ActionTable[KeyIndex(column, event)];
    switch (key) {
        case LeftClick:
            SendMouseAction(MouseLeftDown);
            break;
        case LeftDoubleClick:
            SendMouseAction(MouseLeftDown | MouseLeftUp);
            break;
        case RightClick:
            SendMouseAction(MouseRightDown);
            break;
        case RightDoubleClick:
            SendMouseAction(MouseRightDown | MouseRightUp);
            break;
        default:
            if (const uint8_t code = VirtualKeyOf(key)) platform::SendKey(code, true);
    }
    TypeCombination(SlotText(TextSlot(column, event)), true);
}

void JoystickProfile::FireRelease(Column column, int event) {
    TypeCombination(SlotText(TextSlot(column, event)), false);

    const int32_t key = ActionTable[KeyIndex(column, event)];
    switch (key) {
        case LeftClick:
            SendMouseAction(MouseLeftUp);
            break;
        case RightClick:
            SendMouseAction(MouseRightUp);
            break;
        case LeftDoubleClick:
        case RightDoubleClick:
            break;  // complete at the press
        default:
            if (const uint8_t code = VirtualKeyOf(key)) platform::SendKey(code, false);
    }

    const ModifierKeys modifier =
        KeysOfModifier(ModifierCode(event, ActionTable[ModifierIndex(column, event)]));
    for (int i = modifier.count - 1; i >= 0; --i) platform::SendKey(modifier.keys[i], false);
}

// One button action where the pointer is; a double click is four calls at one position.
void JoystickProfile::SendMouseAction(uint32_t flags) {
    int32_t x = 0, y = 0;
    platform::GetCursorPosition(x, y);
    if ((flags & (MouseLeftDown | MouseLeftUp)) == (MouseLeftDown | MouseLeftUp) ||
        (flags & (MouseRightDown | MouseRightUp)) == (MouseRightDown | MouseRightUp)) {
        const bool left = (flags & MouseLeftDown) != 0;
        const uint32_t down = (left ? MouseLeftDown : MouseRightDown) | MouseAbsolute;
        const uint32_t up = (left ? MouseLeftUp : MouseRightUp) | MouseAbsolute;
        for (uint32_t step : {down, up, down, up}) platform::SendMouseButtons(step, x, y);
        return;
    }
    platform::SendMouseButtons(flags | MouseAbsolute, x, y);
}

// Key-downs or key-ups of a slot's characters, first character first; a character that no key
// types is skipped.
void JoystickProfile::TypeCombination(const uint8_t* slot, bool down) {
    if (slot == nullptr) return;
    for (int i = 0; i < MaxChars && slot[i] != 0; ++i) {
        const int code = platform::KeyForCharacter(static_cast<char>(slot[i]));
        if (code >= 0) platform::SendKey(static_cast<uint8_t>(code), down);
    }
}
