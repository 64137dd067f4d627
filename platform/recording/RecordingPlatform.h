// The recording platform: scripted joysticks and files in memory, and a log, in order, of every
// synthesised input, timer change, file write and message.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace recording {

enum class CallKind : uint8_t {
    KeyDown,
    KeyUp,
    Move,            // a = dx, b = dy
    MouseButtons,    // a = the mouse_event flags the Windows program sends, b = x, c = y
    Wheel,           // a = 1 for the horizontal wheel, b = amount
    TimerStart,      // a = joystick ID, b = period
    TimerStop,       // a = joystick ID
    FileWrite,       // a = index into WrittenPaths()
    FileDelete,      // a = index into WrittenPaths()
    Message,         // a = index into Messages()
    RunValueSet,     // a = RunKey
    RunValueDelete,  // a = RunKey
};

// Plain data, so that recording into reserved space allocates nothing.
struct Call {
    CallKind kind;
    int32_t a = 0, b = 0, c = 0;
    bool operator==(const Call& other) const {
        return kind == other.kind && a == other.a && b == other.b && c == other.c;
    }
};

struct Joystick {
    platform::JoystickCaps caps;
    platform::JoystickState state;
    bool answers = true;     // false: ReadJoystick and ReadJoystickCaps fail
    bool capsAnswer = true;  // false: ReadJoystickCaps fails while the device still answers
    std::string deviceKey;   // what JoystickDeviceKey answers while the joystick answers
};

struct Message {
    std::string text, title;
    platform::MessageIcon icon;
    bool owned;
};

// Clears everything: joysticks answer centred on 0..65535 axes with 32 buttons, no files.
void Reset();
// Recording on (default) logs every call; off keeps the log empty (benchmarks).
void SetRecording(bool on);

Joystick& JoystickAt(int id);
std::vector<Call>& Calls();
std::vector<Message>& Messages();
std::vector<std::string>& WrittenPaths();
std::map<std::string, std::vector<uint8_t>>& Files();
std::set<std::string>& UnreadableFiles();
// The write time GetFileStamp reports for a file, by path (0 when not set); the size is that of
// its bytes in Files().
std::map<std::string, uint64_t>& FileTimes();
// While set, ReplaceWholeFile fails and leaves files as they were.
void SetFailWrites(bool fail);
// While set, ReplaceWholeFile fails as where the old file is deleted before the move: the old file
// is gone and the new bytes stay in "<path>.tmp".
void SetWritesKeepTemporary(bool keep);
// Runs once, inside the next message shown: what the user does while a message box's loop runs.
void DoWhileNextMessage(std::function<void()> action);
// While set, display names leave out the file's extension, as the shell does when told to hide
// them; off after Reset.
void SetShellHidesExtensions(bool hides);
void SetCursor(int32_t x, int32_t y);
// The path ExecutablePath answers; "C:\\Q\\Quorvel.exe" after Reset.
void SetExecutablePath(const std::string& path);
// The values under each Run key, by name; a key not writable refuses to set and to delete, and
// can still be read.
std::map<std::string, std::string>& RunValues(platform::RunKey key);
void SetRunKeyWritable(platform::RunKey key, bool writable);

// The mouse_event flags with which the Windows program sends that button action.
uint32_t MouseEventFlags(platform::MouseButton button, bool down);

// Shorthands for expected calls.
inline Call KeyDown(int vk) { return {CallKind::KeyDown, vk}; }
inline Call KeyUp(int vk) { return {CallKind::KeyUp, vk}; }
inline Call Move(int dx, int dy) { return {CallKind::Move, dx, dy}; }
inline Call Mouse(int flags, int x = 0, int y = 0) { return {CallKind::MouseButtons, flags, x, y}; }
inline Call Wheel(int amount) { return {CallKind::Wheel, 0, amount}; }
inline Call HWheel(int amount) { return {CallKind::Wheel, 1, amount}; }

// Only the input calls (keys, moves, mouse buttons, wheel) of the log, then the log is cleared.
std::vector<Call> TakeInput();

}  // namespace recording
