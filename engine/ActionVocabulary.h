// The vocabulary shared by the joystick side and the Windows side: event numbers, the action
// table and text slots, modifier and key choices with their display strings.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

constexpr int EventCount = 36;  // events 1..4 are directions, 5..36 buttons 1..32
constexpr int DirectionCount = 4;
constexpr int MaxButtons = 32;
constexpr int ColumnCount = 4;
constexpr int ActionTableSize = ColumnCount * EventCount;  // 144
constexpr int TextSlotCount = 2 * EventCount;              // 72

enum class Column { Normal = 0, Shifted = 1 };

using ActionEntries = std::array<int32_t, ActionTableSize>;

// Joystick event of a direction (0 Up, 1 Right, 2 Down, 3 Left) and of a button (1..32).
constexpr int DirectionEvent(int direction) { return direction + 1; }
constexpr int ButtonEvent(int button) { return button + 4; }
constexpr bool IsDirection(int event) { return event >= 1 && event <= DirectionCount; }

// Index into the action table of (table column 0..3, event 1..36).
constexpr int ActionIndex(int tableColumn, int event) {
    return EventCount * tableColumn + event - 1;
}
// Index of an event's modifier choice and key choice in a column.
constexpr int ModifierIndex(Column column, int event) {
    return ActionIndex(column == Column::Shifted ? 2 : 0, event);
}
constexpr int KeyIndex(Column column, int event) {
    return ActionIndex(column == Column::Shifted ? 3 : 1, event);
}
// Text slot of an event in a column; its first byte is at slot * MaxChars.
constexpr int TextSlot(Column column, int event) {
    return event - 1 + (column == Column::Shifted ? EventCount : 0);
}

// The stored modifier choice of a direction that means "Move Mouse".
constexpr int32_t MoveMouseChoice = 1;

// Modifier code 1..7 of a stored modifier choice; any other code holds no key.
constexpr int32_t ModifierCode(int event, int32_t storedChoice) {
    return IsDirection(event) && storedChoice > 1 ? storedChoice - 1 : storedChoice;
}

// Virtual-key codes a modifier code holds, in key-down order (CTRL, ALT, SHIFT); count in `count`.
struct ModifierKeys {
    uint8_t keys[3];
    int count;
};
ModifierKeys KeysOfModifier(int32_t code);

// Key choices 1..4 are mouse actions, 5..45 keyboard keys.
enum KeyChoiceValue : int32_t {
    NoKey = 0,
    LeftClick = 1,
    LeftDoubleClick = 2,
    RightClick = 3,
    RightDoubleClick = 4,
    FirstKeyboardKey = 5,
    LastKeyboardKey = 45,
};
constexpr int KeyChoiceCount = 46;

// True for 5 and above: what the re-fire rule tests (a value above 45 also counts).
constexpr bool IsKeyboardKey(int32_t keyChoice) { return keyChoice >= FirstKeyboardKey; }
// Virtual-key code of a key choice 5..45; 0 for any other value.
uint8_t VirtualKeyOf(int32_t keyChoice);

// Display strings of the lists, in stored order.
const std::vector<std::string>& KeyChoiceNames();          // 46 entries
const std::vector<std::string>& DirectionModifierNames();  // 9 entries, with "Move Mouse"
const std::vector<std::string>& ButtonModifierNames();     // 8 entries
// "Move Up" .. "Move Left", then "Button %d".
std::string EventName(int event);
