// The recording platform used by the tests and by qvtool.
#include "platform/recording/RecordingPlatform.h"

#include <functional>
#include <utility>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <utility>

#include "platform/AtomicReplace.h"

namespace {

struct State {
    recording::Joystick joysticks[16];
    std::vector<recording::Call> calls;
    std::vector<recording::Message> messages;
    std::vector<std::string> writtenPaths;
    std::map<std::string, std::vector<uint8_t>> files;
    std::set<std::string> unreadable;
    std::map<std::string, uint64_t> fileTimes;
    bool recording = true;
    bool failWrites = false;
    bool writesKeepTemporary = false;
    bool shellHidesExtensions = false;
    int32_t cursorX = 0, cursorY = 0;
    std::string executablePath;
    std::map<std::string, std::string> runValues[2];
    bool runKeyWritable[2] = {true, true};
    std::function<void()> duringMessage;
};

State& Get() {
    static State state;
    return state;
}

void Record(recording::CallKind kind, int32_t a = 0, int32_t b = 0, int32_t c = 0) {
    if (Get().recording) Get().calls.push_back({kind, a, b, c});
}

}  // namespace

namespace recording {

void Reset() {
    State& s = Get();
    for (Joystick& joystick : s.joysticks) {
        joystick = {};
        joystick.caps = {0, 65535, 0, 65535, 32, 32};
        joystick.state = {32767, 32767, 0};
    }
    s.calls.clear();
    s.calls.reserve(1 << 16);
    s.messages.clear();
    s.writtenPaths.clear();
    s.files.clear();
    s.unreadable.clear();
    s.fileTimes.clear();
    s.recording = true;
    s.failWrites = false;
    s.writesKeepTemporary = false;
    s.shellHidesExtensions = false;
    s.duringMessage = nullptr;
    s.cursorX = s.cursorY = 0;
    s.executablePath = "C:\\Q\\Quorvel.exe";
    for (int key = 0; key < 2; ++key) {
        s.runValues[key].clear();
        s.runKeyWritable[key] = true;
    }
}

void SetRecording(bool on) { Get().recording = on; }
Joystick& JoystickAt(int id) { return Get().joysticks[id]; }
std::vector<Call>& Calls() { return Get().calls; }
std::vector<Message>& Messages() { return Get().messages; }
std::vector<std::string>& WrittenPaths() { return Get().writtenPaths; }
std::map<std::string, std::vector<uint8_t>>& Files() { return Get().files; }
std::set<std::string>& UnreadableFiles() { return Get().unreadable; }
std::map<std::string, uint64_t>& FileTimes() { return Get().fileTimes; }
void SetFailWrites(bool fail) { Get().failWrites = fail; }
void SetWritesKeepTemporary(bool keep) { Get().writesKeepTemporary = keep; }
void SetShellHidesExtensions(bool hides) { Get().shellHidesExtensions = hides; }
void DoWhileNextMessage(std::function<void()> action) { Get().duringMessage = std::move(action); }

void SetCursor(int32_t x, int32_t y) {
    Get().cursorX = x;
    Get().cursorY = y;
}

void SetExecutablePath(const std::string& path) { Get().executablePath = path; }

std::map<std::string, std::string>& RunValues(platform::RunKey key) {
    return Get().runValues[static_cast<int>(key)];
}

void SetRunKeyWritable(platform::RunKey key, bool writable) {
    Get().runKeyWritable[static_cast<int>(key)] = writable;
}

uint32_t MouseEventFlags(platform::MouseButton button, bool down) {
    constexpr uint32_t Absolute = 0x8000;
    if (button == platform::MouseButton::Left) return Absolute | (down ? 0x0002 : 0x0004);
    return Absolute | (down ? 0x0008 : 0x0010);
}

std::vector<Call> TakeInput() {
    std::vector<Call> input;
    for (const Call& call : Get().calls) {
        if (call.kind <= CallKind::Wheel) input.push_back(call);
    }
    Get().calls.clear();
    return input;
}

}  // namespace recording

namespace platform {

bool ReadJoystick(int joystickId, JoystickState& out) {
    const recording::Joystick& joystick = Get().joysticks[joystickId];
    if (!joystick.answers) return false;
    out = joystick.state;
    return true;
}

bool ReadJoystickCaps(int joystickId, JoystickCaps& out) {
    const recording::Joystick& joystick = Get().joysticks[joystickId];
    if (!joystick.answers || !joystick.capsAnswer) return false;
    out = joystick.caps;
    return true;
}

bool JoystickAnswers(int joystickId) { return Get().joysticks[joystickId].answers; }

std::string JoystickDeviceKey(int joystickId) {
    const recording::Joystick& joystick = Get().joysticks[joystickId];
    return joystick.answers ? joystick.deviceKey : std::string();
}

void SendKey(uint8_t virtualKey, bool down) {
    Record(down ? recording::CallKind::KeyDown : recording::CallKind::KeyUp, virtualKey);
}

// VkKeyScanA's low byte on the US layout, for printable ASCII.
int KeyForCharacter(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z') return u - 'a' + 'A';
    if ((u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == ' ') return u;
    static const char shiftedDigits[] = ")!@#$%^&*(";
    if (const char* at = u ? std::strchr(shiftedDigits, u) : nullptr) {
        return '0' + static_cast<int>(at - shiftedDigits);
    }
    static const struct {
        const char* chars;
        int key;
    } oem[] = {{";:", 0xBA}, {"=+", 0xBB}, {",<", 0xBC},  {"-_", 0xBD}, {".>", 0xBE}, {"/?", 0xBF},
               {"`~", 0xC0}, {"[{", 0xDB}, {"\\|", 0xDC}, {"]}", 0xDD}, {"'\"", 0xDE}};
    for (const auto& entry : oem) {
        if (u && std::strchr(entry.chars, u)) return entry.key;
    }
    return -1;
}

void MovePointer(int32_t dx, int32_t dy) {
    State& s = Get();
    // The simulated cursor is unclamped and wraps instead of overflowing.
    s.cursorX = static_cast<int32_t>(static_cast<uint32_t>(s.cursorX) + static_cast<uint32_t>(dx));
    s.cursorY = static_cast<int32_t>(static_cast<uint32_t>(s.cursorY) + static_cast<uint32_t>(dy));
    Record(recording::CallKind::Move, dx, dy);
}

void SendMouseButton(MouseButton button, bool down, int32_t x, int32_t y) {
    Record(recording::CallKind::MouseButtons,
           static_cast<int32_t>(recording::MouseEventFlags(button, down)), x, y);
}

void TurnWheel(bool horizontal, int32_t amount) {
    Record(recording::CallKind::Wheel, horizontal ? 1 : 0, amount);
}

void GetCursorPosition(int32_t& x, int32_t& y) {
    x = Get().cursorX;
    y = Get().cursorY;
}

void StartTimer(int joystickId, int periodMs) {
    Record(recording::CallKind::TimerStart, joystickId, periodMs);
}

void StopTimer(int joystickId) { Record(recording::CallKind::TimerStop, joystickId); }

ReadStatus ReadWholeFile(const std::string& path, std::vector<uint8_t>& out) {
    State& s = Get();
    if (s.unreadable.count(path)) return ReadStatus::Unreadable;
    const auto found = s.files.find(path);
    if (found == s.files.end()) return ReadStatus::Missing;
    out = found->second;
    return ReadStatus::Ok;
}

ReplaceResult ReplaceWholeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    State& s = Get();
    if (s.failWrites) return ReplaceResult::Failed;
    if (s.writesKeepTemporary) {
        s.files.erase(path);
        s.files[TemporaryPathFor(path)] = bytes;
        return ReplaceResult::KeptInTemporary;
    }
    s.files[path] = bytes;
    s.writtenPaths.push_back(path);
    Record(recording::CallKind::FileWrite, static_cast<int32_t>(s.writtenPaths.size() - 1));
    return ReplaceResult::Replaced;
}

bool RemoveFile(const std::string& path) {
    State& s = Get();
    if (s.files.erase(path) == 0) return false;
    s.writtenPaths.push_back(path);
    Record(recording::CallKind::FileDelete, static_cast<int32_t>(s.writtenPaths.size() - 1));
    return true;
}

bool GetFileStamp(const std::string& path, FileStamp& out) {
    const State& s = Get();
    const auto found = s.files.find(path);
    if (found == s.files.end()) return false;
    const auto time = s.fileTimes.find(path);
    out.size = found->second.size();
    out.time = time == s.fileTimes.end() ? 0 : time->second;
    return true;
}

std::vector<std::string> ListFiles(const std::string& directory) {
    std::vector<std::string> names;
    for (const auto& file : Get().files) {
        const std::string& path = file.first;
        if (path.size() <= directory.size() || path.compare(0, directory.size(), directory) != 0) {
            continue;
        }
        std::string name = path.substr(directory.size());
        if (name.find_first_of("\\/") == std::string::npos) names.push_back(name);
    }
    return names;
}

// Like the shell on a file system that ignores letter case: the file's own name, whatever case
// the path was given in.
bool GetDisplayName(const std::string& path, std::string& out) {
    const auto& files = Get().files;
    auto found = files.find(path);
    if (found == files.end()) {
        found = std::find_if(files.begin(), files.end(), [&](const auto& file) {
            return file.first.size() == path.size() &&
                   std::equal(path.begin(), path.end(), file.first.begin(), [](char x, char y) {
                       return std::tolower(static_cast<unsigned char>(x)) ==
                              std::tolower(static_cast<unsigned char>(y));
                   });
        });
    }
    if (found == files.end()) return false;
    out = found->first.substr(found->first.find_last_of("\\/") + 1);
    const size_t dot = out.find_last_of('.');
    if (Get().shellHidesExtensions && dot != std::string::npos && dot > 0) out.resize(dot);
    return true;
}

std::string ExecutablePath() { return Get().executablePath; }

bool SetRunValue(RunKey key, const std::string& name, const std::string& value) {
    State& s = Get();
    const int k = static_cast<int>(key);
    if (!s.runKeyWritable[k]) return false;
    s.runValues[k][name] = value;
    Record(recording::CallKind::RunValueSet, k);
    return true;
}

bool DeleteRunValue(RunKey key, const std::string& name) {
    State& s = Get();
    const int k = static_cast<int>(key);
    if (!s.runKeyWritable[k] || s.runValues[k].erase(name) == 0) return false;
    Record(recording::CallKind::RunValueDelete, k);
    return true;
}

bool HasRunValue(RunKey key, const std::string& name) {
    return Get().runValues[static_cast<int>(key)].count(name) != 0;
}

void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon, bool owned) {
    State& s = Get();
    s.messages.push_back({text, title, icon, owned});
    Record(recording::CallKind::Message, static_cast<int32_t>(s.messages.size() - 1));
    // Taken first: a message the action shows does not run it again.
    const std::function<void()> action = std::move(s.duringMessage);
    s.duringMessage = nullptr;
    if (action) action();
}

}  // namespace platform
