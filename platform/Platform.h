// The seam: every operating-system service the portable code uses. Exactly one implementation
// is linked into each program (win32/ in the exe, recording/ in qvtool, the tests and the
// benchmark).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// The point-of-view hat at rest, in the POV's hundredths of a degree.
constexpr uint32_t PovCentred = 0xFFFF;

// One reading of a joystick: the six axes, the 32-bit button word and the point-of-view hat
// (hundredths of a degree clockwise from forward; PovCentred or any value from 36000 on: at rest).
struct JoystickState {
    uint32_t x = 0, y = 0, buttons = 0;
    uint32_t z = 0, r = 0, u = 0, v = 0;
    uint32_t pov = PovCentred;
};

// What a joystick reports about itself: axis ranges, button counts and which of the other axes
// and a point-of-view hat it has.
struct JoystickCaps {
    uint32_t xMin = 0, xMax = 0, yMin = 0, yMax = 0;
    uint32_t numButtons = 0;  // buttons the device has
    uint32_t maxButtons = 0;  // buttons the driver can report
    uint32_t zMin = 0, zMax = 0, rMin = 0, rMax = 0, uMin = 0, uMax = 0, vMin = 0, vMax = 0;
    bool hasZ = false, hasR = false, hasU = false, hasV = false, hasPov = false;
};

// Returns false when the device did not answer; `out` is then unspecified.
bool ReadJoystick(int joystickId, JoystickState& out);
// Returns false when the device did not answer; `out` is then unspecified. A hat that reports
// its angle in hundredths of a degree is read so from then on, so that diagonals are seen.
bool ReadJoystickCaps(int joystickId, JoystickCaps& out);

// Whether the joystick answers now: the main control window can capture it (released at once).
bool JoystickAnswers(int joystickId);
// The key under which Windows knows the pad at that joystick ID (such as "VID_045E&PID_028E"),
// whole; empty when the pad has none or it cannot be read.
std::string JoystickDeviceKey(int joystickId);

// One key-down or key-up by virtual-key code, no scan code, no other flag.
void SendKey(uint8_t virtualKey, bool down);
// The virtual-key code that types `c` on the current layout (low byte only); -1 when none does.
int KeyForCharacter(char c);
// A relative pointer move in pixels.
void MovePointer(int32_t dx, int32_t dy);
enum class MouseButton { Left, Right };
// One mouse button going down or up at screen position x, y; the pointer does not move.
void SendMouseButton(MouseButton button, bool down, int32_t x, int32_t y);
// One turn of the mouse wheel, vertical or horizontal, of `amount` units (120 a notch; positive
// is away from the user, and to the right).
void TurnWheel(bool horizontal, int32_t amount);
// The cursor position in screen pixels.
void GetCursorPosition(int32_t& x, int32_t& y);

// Starts (or restarts with a new period) the poll timer whose identifier is the joystick ID.
void StartTimer(int joystickId, int periodMs);
// Stops the poll timer of that joystick ID.
void StopTimer(int joystickId);

enum class ReadStatus { Ok, Missing, Unreadable };
// Reads a whole file. Missing: there is no such file; Unreadable: it exists but cannot be read.
ReadStatus ReadWholeFile(const std::string& path, std::vector<uint8_t>& out);
enum class ReplaceResult {
    Replaced,
    Failed,           // the old file, if any, is as it was; no temporary file is left
    KeptInTemporary,  // the old file is gone; the new content is whole in "<path>.tmp"
};
// Replaces a file's content, all or nothing, through "<path>.tmp". KeptInTemporary happens only
// where the system cannot move a file over another: the old one was deleted, the move then failed.
ReplaceResult ReplaceWholeFile(const std::string& path, const std::vector<uint8_t>& bytes);
// Deletes a file; false when it could not be deleted.
bool RemoveFile(const std::string& path);
// A file's size and last write time (in the system's own units): a change of either tells that
// the file was written since.
struct FileStamp {
    uint64_t size = 0;
    uint64_t time = 0;
    bool operator==(const FileStamp& other) const {
        return size == other.size && time == other.time;
    }
    bool operator!=(const FileStamp& other) const { return !(*this == other); }
};
// False, leaving `out` unchanged, when there is no such file.
bool GetFileStamp(const std::string& path, FileStamp& out);
// Names of the regular files directly in `directory` (which ends with the path separator), in no
// particular order: no directories, hidden or system files. Empty when none can be listed.
std::vector<std::string> ListFiles(const std::string& directory);
// The name under which the shell shows the file at `path`, with or without its extension as the
// user's settings say; false when there is no such file.
bool GetDisplayName(const std::string& path, std::string& out);

// The full path of the running executable, however long.
std::string ExecutablePath();

// The two Run keys of autostart entries: for every user of the machine, or for this user only.
enum class RunKey { Machine, User };
// Stores a string value under that Run key; false when the key cannot be opened for writing or
// the value cannot be set.
bool SetRunValue(RunKey key, const std::string& name, const std::string& value);
// Deletes the value; false when the key cannot be opened for writing or holds no such value.
bool DeleteRunValue(RunKey key, const std::string& name);
// Whether that Run key holds a value of this name; false also when the key cannot be read.
bool HasRunValue(RunKey key, const std::string& name);

enum class MessageIcon { None, Error, Information, Question };
// A modal message box; `owned` puts it over the main control window, otherwise it has no owner.
void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon, bool owned);

}  // namespace platform
