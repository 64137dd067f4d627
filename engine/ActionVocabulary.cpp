// Tables behind the action vocabulary: modifier keys, key codes and list texts.
#include "engine/ActionVocabulary.h"

namespace {

constexpr uint8_t VkShift = 0x10, VkControl = 0x11, VkMenu = 0x12;

// Virtual-key codes of key choices 5..33; function keys follow as choice + FunctionKeyOffset.
constexpr uint8_t KeyCodes[] = {
    0x26, 0x27, 0x28, 0x25,                                      // arrows
    0x60, 0x61, 0x62, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69,  // numeric pad 0..9
    0x6B, 0x6D, 0x6A, 0x6F,                                      // + - * /
    0x0D, 0x20, 0x1B, 0x2D, 0x2E, 0x24, 0x23, 0x21, 0x22, 0x09, 0x14,
};

std::vector<std::string> MakeKeyChoiceNames() {
    std::vector<std::string> names = {" ",           "Left Click",         "Left Double Click",
                                      "Right Click", "Right Double Click", "Up Arrow",
                                      "Right Arrow", "Down Arrow",         "Left Arrow"};
    for (int digit = 0; digit <= 9; ++digit) names.push_back("NumPad " + std::to_string(digit));
    for (const char* name :
         {"NumPad +", "NumPad -", "NumPad *", "NumPad /", "Enter", "Space", "Escape", "Insert",
          "Delete", "Home", "End", "Page Up", "Page Down", "Tab", "Caps Lock"}) {
        names.push_back(name);
    }
    for (int key = 1; key <= 12; ++key) names.push_back("F" + std::to_string(key));
    for (const char* name : {"Wheel Up", "Wheel Down", "Wheel Left", "Wheel Right"}) {
        names.push_back(name);
    }
    return names;
}

}  // namespace

ModifierKeys KeysOfModifier(int32_t code) {
    switch (code) {
        case 1:
            return {{VkMenu}, 1};
        case 2:
            return {{VkControl}, 1};
        case 3:
            return {{VkShift}, 1};
        case 4:
            return {{VkControl, VkMenu}, 2};
        case 5:
            return {{VkMenu, VkShift}, 2};
        case 6:
            return {{VkControl, VkShift}, 2};
        case 7:
            return {{VkControl, VkMenu, VkShift}, 3};
        default:
            return {{}, 0};
    }
}

uint8_t VirtualKeyOf(int32_t keyChoice) {
    if (keyChoice < FirstKeyboardKey || keyChoice > LastKeyboardKey) return 0;
    if (keyChoice >= FirstFunctionKey) return static_cast<uint8_t>(keyChoice + FunctionKeyOffset);
    return KeyCodes[keyChoice - FirstKeyboardKey];
}

const std::vector<std::string>& KeyChoiceNames() {
    static const std::vector<std::string> names = MakeKeyChoiceNames();
    return names;
}

const std::vector<std::string>& DirectionModifierNames() {
    static const std::vector<std::string> names = {
        " ",        "Move Mouse", "ALT",        "CTRL",           "SHIFT",
        "CTRL+ALT", "ALT+SHIFT",  "CTRL+SHIFT", "CTRL+ALT+SHIFT", "Scroll"};
    return names;
}

const std::vector<std::string>& ButtonModifierNames() {
    static const std::vector<std::string> names = {
        " ", "ALT", "CTRL", "SHIFT", "CTRL+ALT", "ALT+SHIFT", "CTRL+SHIFT", "CTRL+ALT+SHIFT"};
    return names;
}

const std::vector<std::string>& SecondStickAxesNames() {
    static const std::vector<std::string> names = {"Automatic", "U and R", "Z and R", "R and U",
                                                   "Z and V"};
    return names;
}

const std::vector<std::string>& ModifierNames(int event) {
    return IsStickDirection(event) ? DirectionModifierNames() : ButtonModifierNames();
}

std::string EventName(int event) {
    static const char* const directions[] = {"Move Up", "Move Right", "Move Down", "Move Left"};
    static const char* const extras[] = {
        "D-pad Up",      "D-pad Right",  "D-pad Down",   "D-pad Left", "Stick 2 Up",
        "Stick 2 Right", "Stick 2 Down", "Stick 2 Left", "Z Axis -",   "Z Axis +"};
    if (IsDirection(event)) return directions[event - 1];
    if (event >= FirstExtraEvent && event <= LastEvent) return extras[event - FirstExtraEvent];
    return "Button " + std::to_string(event - DirectionCount);
}
