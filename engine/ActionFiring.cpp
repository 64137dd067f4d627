// Turns one joystick event into synthesised keyboard and mouse input, and owns ShiftActive.
#include "engine/LiveJoystick.h"
#include "platform/Platform.h"

using platform::MouseButton;

namespace {

// One notch of the mouse wheel.
constexpr int32_t WheelNotchUnits = 120;

}  // namespace

// Returns false when the event is the shift button's: it switches columns and fires nothing.
bool LiveJoystick::ApplyShiftRule(int event, bool press) {
    if (stored.shiftButton <= 0) {
        ShiftActive = false;
        return true;
    }
    // Compared as a button number: a stored value near the top of the range has no event.
    if (!IsButton(event) || event - DirectionCount != stored.shiftButton) return true;
    ShiftActive = press;
    return false;
}

void LiveJoystick::PressEvent(int event) {
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

void LiveJoystick::ReleaseEvent(int event) {
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

void LiveJoystick::FirePress(Column column, int event) {
    const ModifierKeys modifier =
        KeysOfModifier(ModifierCode(event, stored.Modifier(column, event)));
    for (int i = 0; i < modifier.count; ++i) platform::SendKey(modifier.keys[i], true);

    const int32_t key = stored.Key(column, event);
    switch (key) {
        case LeftClick:
            SendMouseAction(MouseButton::Left, Click::Down);
            break;
        case LeftDoubleClick:
            SendMouseAction(MouseButton::Left, Click::Double);
            break;
        case RightClick:
            SendMouseAction(MouseButton::Right, Click::Down);
            break;
        case RightDoubleClick:
            SendMouseAction(MouseButton::Right, Click::Double);
            break;
        case WheelUp:
        case WheelDown:
            platform::TurnWheel(false, key == WheelUp ? WheelNotchUnits : -WheelNotchUnits);
            break;
        case WheelLeft:
        case WheelRight:
            platform::TurnWheel(true, key == WheelRight ? WheelNotchUnits : -WheelNotchUnits);
            break;
        default:
            if (const uint8_t code = VirtualKeyOf(key)) platform::SendKey(code, true);
    }
    TypeCombination(stored.Text(column, event), true);
}

void LiveJoystick::FireRelease(Column column, int event) {
    TypeCombination(stored.Text(column, event), false);

    const int32_t key = stored.Key(column, event);
    switch (key) {
        case LeftClick:
            SendMouseAction(MouseButton::Left, Click::Up);
            break;
        case RightClick:
            SendMouseAction(MouseButton::Right, Click::Up);
            break;
        case LeftDoubleClick:
        case RightDoubleClick:
        case WheelUp:
        case WheelDown:
        case WheelLeft:
        case WheelRight:
            break;  // complete at the press
        default:
            if (const uint8_t code = VirtualKeyOf(key)) platform::SendKey(code, false);
    }

    const ModifierKeys modifier =
        KeysOfModifier(ModifierCode(event, stored.Modifier(column, event)));
    for (int i = modifier.count - 1; i >= 0; --i) platform::SendKey(modifier.keys[i], false);
}

// One button action where the pointer is; a double click is four calls at one position.
void LiveJoystick::SendMouseAction(MouseButton button, Click click) {
    int32_t x = 0, y = 0;
    platform::GetCursorPosition(x, y);
    if (click != Click::Double) {
        platform::SendMouseButton(button, click == Click::Down, x, y);
        return;
    }
    for (bool down : {true, false, true, false}) platform::SendMouseButton(button, down, x, y);
}

// Key-downs or key-ups of a slot's characters, first character first; a character that no key
// types is skipped.
void LiveJoystick::TypeCombination(const uint8_t* slot, bool down) {
    if (slot == nullptr) return;
    for (int i = 0; i < stored.settings.maxChars && slot[i] != 0; ++i) {
        const int code = platform::KeyForCharacter(static_cast<char>(slot[i]));
        if (code >= 0) platform::SendKey(static_cast<uint8_t>(code), down);
    }
}
