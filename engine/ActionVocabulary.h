// The vocabulary shared by the joystick side and the Windows side: event numbers, the action
// table and text slots, modifier and key choices with their display strings.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

constexpr int EventCount =
    36;  // events 1..4 are directions, 5..36 buttons 1..32: the classic table
// Events 37..40 are the D-pad (Up, Right, Down, Left), 41..44 the second stick (Up, Right, Down,
// Left), 45 and 46 the Z axis below and above its centre.
constexpr int FirstExtraEvent = 37;
constexpr int LastEvent = 46;
constexpr int ExtraEventCount = LastEvent - EventCount;  // 10
constexpr int DirectionCount = 4;
constexpr int MaxButtons = 32;
constexpr int ColumnCount = 4;
constexpr int ActionTableSize = ColumnCount * EventCount;  // 144
constexpr int TextSlotCount = 2 * EventCount;              // 72
constexpr int ExtraTextSlotCount = 2 * ExtraEventCount;    // 20, for events 37..46

enum class Column { Normal = 0, Shifted = 1 };

using ActionEntries = std::array<int32_t, ActionTableSize>;

// Joystick event of a direction (0 Up, 1 Right, 2 Down, 3 Left) and of a button (1..32).
constexpr int DirectionEvent(int direction) { return direction + 1; }
constexpr int ButtonEvent(int button) { return button + 4; }
constexpr int DpadEvent(int direction) { return FirstExtraEvent + direction; }
constexpr int SecondStickEvent(int direction) { return FirstExtraEvent + 4 + direction; }
constexpr int ZLowEvent = 45, ZHighEvent = 46;
constexpr bool IsDirection(int event) { return event >= 1 && event <= DirectionCount; }
constexpr bool IsButton(int event) { return event > DirectionCount && event <= EventCount; }
// A direction of either stick: its modifier list offers "Move Mouse" and "Scroll".
constexpr bool IsStickDirection(int event) {
    return IsDirection(event) || (event >= SecondStickEvent(0) && event <= SecondStickEvent(3));
}

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

// The stored modifier choices of a stick direction that move the pointer or turn the wheel.
constexpr int32_t MoveMouseChoice = 1;
constexpr int32_t ScrollChoice = 9;

// Modifier code 1..7 of a stored modifier choice; any other code holds no key.
constexpr int32_t ModifierCode(int event, int32_t storedChoice) {
    return IsStickDirection(event) && storedChoice > 1 ? storedChoice - 1 : storedChoice;
}

// Virtual-key codes a modifier code holds, in key-down order (CTRL, ALT, SHIFT); count in `count`.
struct ModifierKeys {
    uint8_t keys[3];
    int count;
};
ModifierKeys KeysOfModifier(int32_t code);

// Key choices 1..4 are mouse actions, 5..45 keyboard keys, 46..49 one notch of the wheel.
enum KeyChoiceValue : int32_t {
    NoKey = 0,
    LeftClick = 1,
    LeftDoubleClick = 2,
    RightClick = 3,
    RightDoubleClick = 4,
    FirstKeyboardKey = 5,
    FirstFunctionKey = 34,  // F1; F1..F12 have the virtual-key codes choice + FunctionKeyOffset
    LastKeyboardKey = 45,
    WheelUp = 46,
    WheelDown = 47,
    WheelLeft = 48,
    WheelRight = 49,
};
constexpr int KeyChoiceCount = 50;
constexpr int32_t FunctionKeyOffset = 78;  // F1 (choice 34) is VK_F1 (0x70)

// True for 5 and above: what the re-fire rule tests (the wheel notches and values above 49 too).
constexpr bool IsKeyboardKey(int32_t keyChoice) { return keyChoice >= FirstKeyboardKey; }
// Virtual-key code of a key choice 5..45; 0 for any other value.
uint8_t VirtualKeyOf(int32_t keyChoice);

// Display strings of the lists, in stored order.
const std::vector<std::string>& KeyChoiceNames();          // 50 entries
const std::vector<std::string>& DirectionModifierNames();  // 10 entries: "Move Mouse", "Scroll"
const std::vector<std::string>& ButtonModifierNames();     // 8 entries
// The "Stick 2 axes" list, in stored order: Automatic, "U and R", "Z and R", "R and U", "Z and V".
const std::vector<std::string>& SecondStickAxesNames();
// The modifier list of an event: a stick direction's, or a button's for every other event.
const std::vector<std::string>& ModifierNames(int event);
// "Move Up" .. "Move Left", "Button %d", then "D-pad Up" .. "Z Axis +".
std::string EventName(int event);
