// The product's platform backend on Win32: multimedia joysticks, input synthesis, poll timers,
// files and message boxes.
#include <windows.h>

#include <mmsystem.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>

#include "platform/AtomicReplace.h"
#include "platform/Platform.h"
#include "platform/PollPacing.h"
#include "platform/win32/PlatformWin32.h"

#ifdef __MINGW32__
// In winmm's import library, yet missing from MinGW's headers (the Windows SDK declares it).
extern "C" MMRESULT WINAPI joyConfigChanged(DWORD flags);
#endif

namespace {

HWND mainWindow = nullptr;
// Per joystick ID: the hat reports hundredths of a degree (set by the capabilities read).
bool continuousPov[16] = {};
// MOUSEEVENTF_HWHEEL, which older headers lack.
constexpr DWORD HorizontalWheel = 0x1000;

// A poll timer: a timer-queue timer whose callback, on the queue's thread, only posts a tick to
// the main control window; the poll itself runs on the main thread. Window timers never go
// below 10 ms and round up to the 15.6 ms system tick; a timer-queue timer with the system
// timer at 1 ms keeps its period.
struct PollTimer {
    HANDLE timer = nullptr;
    // Windows 95, 98, Me and NT 4 have no timer queues: there a window timer stands in.
    bool windowTimer = false;
    // The tick count (never 0) when a tick was posted that is not taken yet, else 0: a busy main
    // thread skips polls instead of
    // running a burst of them.
    volatile LONG posted = 0;
    // Tells this timer's ticks from those a stopped one left in the queue.
    UINT generation = 0;
    // Which ticks become polls: a tick posted again after a lost one, or queued behind a busy
    // main thread, does not poll again within the period.
    PollPacing pacing;
};
HANDLE timerQueue = nullptr;
PollTimer pollTimers[16];
// The window timers that stand in for timer queues use these identifiers, after the program's own.
constexpr UINT_PTR FirstWindowPollTimer = 0x5100;

// The timer-queue functions, looked up at run time so that the program still starts where
// kernel32 lacks them.
struct TimerQueueApi {
    HANDLE(WINAPI* create)() = nullptr;
    BOOL(WINAPI* createTimer)
    (PHANDLE, HANDLE, WAITORTIMERCALLBACK, PVOID, DWORD, DWORD, ULONG) = nullptr;
    BOOL(WINAPI* deleteTimer)(HANDLE, HANDLE, HANDLE) = nullptr;
    bool Present() const { return create && createTimer && deleteTimer; }
};

const TimerQueueApi& TimerQueues() {
    static const TimerQueueApi api = [] {
        TimerQueueApi found;
        const HMODULE kernel = GetModuleHandleA("kernel32.dll");
        if (kernel) {
            platform::FindFunction(kernel, "CreateTimerQueue", found.create);
            platform::FindFunction(kernel, "CreateTimerQueueTimer", found.createTimer);
            platform::FindFunction(kernel, "DeleteTimerQueueTimer", found.deleteTimer);
        }
        return found;
    }();
    return api;
}
bool fineSystemTimer = false;
constexpr UINT GenerationMask = 0xFFFFFF;

// A tick not taken after this long is taken as lost, and posted again: under Wine a modal
// dialog's loop now and then drops one, which would otherwise stop that joystick for good.
constexpr DWORD LostTickMs = 250;

// Microseconds on the performance counter, which periods down to 1 ms need; the tick count
// where there is none.
int64_t NowUs() {
    static const LONGLONG frequency = [] {
        LARGE_INTEGER found;
        return QueryPerformanceFrequency(&found) ? found.QuadPart : 0;
    }();
    LARGE_INTEGER counter;
    if (frequency <= 0 || !QueryPerformanceCounter(&counter)) {
        return static_cast<int64_t>(GetTickCount()) * 1000;
    }
    // In two parts, so that the product cannot overflow however long the system has run.
    return counter.QuadPart / frequency * 1000000 +
           counter.QuadPart % frequency * 1000000 / frequency;
}

void PostTick(UINT_PTR value) {
    PollTimer& poll = pollTimers[value & 15];
    const LONG now = static_cast<LONG>(GetTickCount() | 1);
    const LONG pending = poll.posted;
    if (pending != 0 && static_cast<DWORD>(now - pending) < LostTickMs) return;
    if (InterlockedCompareExchange(&poll.posted, now, pending) != pending) return;
    if (!PostMessageA(mainWindow, platform::PollTickMessage, value & 15, value >> 4)) {
        InterlockedCompareExchange(&poll.posted, 0, now);
    }
}

VOID CALLBACK PostPollTick(PVOID parameter, BOOLEAN) {
    PostTick(reinterpret_cast<UINT_PTR>(parameter));
}

// A window timer's tick, on the main thread, posts the same message a timer queue would.
VOID CALLBACK PostWindowPollTick(HWND, UINT, UINT_PTR id, DWORD) {
    const UINT_PTR joystickId = (id - FirstWindowPollTimer) & 15;
    PostTick((static_cast<UINT_PTR>(pollTimers[joystickId].generation) << 4) | joystickId);
}

// The system timer runs at 1 ms only while some joystick polls, which costs nothing at idle.
void UpdateSystemTimer() {
    bool anyRunning = false;
    for (const PollTimer& poll : pollTimers) anyRunning = anyRunning || poll.timer != nullptr;
    if (anyRunning == fineSystemTimer) return;
    fineSystemTimer = anyRunning;
    if (anyRunning) {
        timeBeginPeriod(1);
    } else {
        timeEndPeriod(1);
    }
}

void DeletePollTimer(PollTimer& poll) {
    if (!poll.timer) return;
    if (poll.windowTimer) {
        KillTimer(mainWindow, FirstWindowPollTimer + static_cast<UINT_PTR>(&poll - pollTimers));
    } else {
        // Waits for a callback under way, so that none runs after this.
        TimerQueues().deleteTimer(timerQueue, poll.timer, INVALID_HANDLE_VALUE);
    }
    poll.timer = nullptr;
    poll.windowTimer = false;
}

class FileHandle {
  public:
    explicit FileHandle(HANDLE h) : handle(h) {}
    ~FileHandle() {
        if (IsOpen()) CloseHandle(handle);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool IsOpen() const { return handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle; }

  private:
    HANDLE handle;
};

constexpr const char* RunKeyPath = "Software\\Microsoft\\windows\\currentversion\\run";

// The Run key opened for writing, or for the access given; closed when it goes.
class RunKeyHandle {
  public:
    explicit RunKeyHandle(platform::RunKey which, REGSAM access = KEY_WRITE) {
        HKEY root = which == platform::RunKey::Machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
        if (RegOpenKeyExA(root, RunKeyPath, 0, access, &key) != ERROR_SUCCESS) key = nullptr;
    }
    ~RunKeyHandle() {
        if (key) RegCloseKey(key);
    }
    RunKeyHandle(const RunKeyHandle&) = delete;
    RunKeyHandle& operator=(const RunKeyHandle&) = delete;
    HKEY Get() const { return key; }

  private:
    HKEY key = nullptr;
};

// Where winmm keeps each driver's joystick settings (REGSTR_PATH_JOYCONFIG).
constexpr const char* JoystickConfigPath =
    "System\\CurrentControlSet\\Control\\MediaResources\\Joystick\\";

// A string value (REG_SZ only) up to its first 0; empty when the key or value is missing, of
// another type, or cannot be read.
std::string ReadStringValue(HKEY root, const std::string& path, const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return "";
    DWORD type = 0, size = 0;
    std::string value;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        type == REG_SZ && size > 0) {
        // One byte more: a value stored without its terminating 0 still ends in one.
        std::vector<char> buffer(size + 1, '\0');
        if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                             &size) == ERROR_SUCCESS &&
            type == REG_SZ) {
            value = buffer.data();
        }
    }
    RegCloseKey(key);
    return value;
}

constexpr DWORD FileFlags = FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN;

// The steps of an all-or-nothing file replacement, on Win32 files.
class Win32FileOps {
  public:
    bool Create(const std::string& path) {
        file =
            CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FileFlags, nullptr);
        return file != INVALID_HANDLE_VALUE;
    }
    bool Write(const std::vector<uint8_t>& bytes) {
        for (size_t done = 0; done < bytes.size();) {
            DWORD written = 0;
            const DWORD chunk = static_cast<DWORD>(bytes.size() - done);
            if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) {
                return false;
            }
            done += written;
        }
        return true;
    }
    bool Flush() { return FlushFileBuffers(file) != 0; }
    bool Close() {
        const bool closed = CloseHandle(file) != 0;
        file = INVALID_HANDLE_VALUE;
        return closed;
    }
    // Windows 95/98/Me lack MoveFileEx; there the old file is deleted first.
    MoveResult MoveOver(const std::string& from, const std::string& to) {
        if (MoveFileExA(from.c_str(), to.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return MoveResult::Moved;
        }
        if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return MoveResult::Failed;
        const bool removed = DeleteFileA(to.c_str()) != 0;
        if (MoveFileA(from.c_str(), to.c_str())) return MoveResult::Moved;
        return removed ? MoveResult::TargetRemoved : MoveResult::Failed;
    }
    void Remove(const std::string& path) { DeleteFileA(path.c_str()); }

  private:
    HANDLE file = INVALID_HANDLE_VALUE;
};

}  // namespace

namespace platform {

void SetMainWindow(HWND window) { mainWindow = window; }

bool ReadJoystick(int joystickId, JoystickState& out) {
    JOYINFOEX info = {};
    info.dwSize = sizeof info;
    info.dwFlags = JOY_RETURNX | JOY_RETURNY | JOY_RETURNZ | JOY_RETURNR | JOY_RETURNU |
                   JOY_RETURNV | JOY_RETURNBUTTONS |
                   (continuousPov[joystickId & 15] ? JOY_RETURNPOVCTS : JOY_RETURNPOV);
    if (joyGetPosEx(static_cast<UINT>(joystickId), &info) != JOYERR_NOERROR) return false;
    out.x = static_cast<uint32_t>(info.dwXpos);
    out.y = static_cast<uint32_t>(info.dwYpos);
    out.buttons = static_cast<uint32_t>(info.dwButtons);
    out.z = static_cast<uint32_t>(info.dwZpos);
    out.r = static_cast<uint32_t>(info.dwRpos);
    out.u = static_cast<uint32_t>(info.dwUpos);
    out.v = static_cast<uint32_t>(info.dwVpos);
    out.pov = static_cast<uint32_t>(info.dwPOV);
    return true;
}

bool ReadJoystickCaps(int joystickId, JoystickCaps& out) {
    JOYCAPSA caps = {};
    if (joyGetDevCapsA(static_cast<UINT>(joystickId), &caps, sizeof caps) != JOYERR_NOERROR) {
        return false;
    }
    out = {};
    out.xMin = caps.wXmin, out.xMax = caps.wXmax, out.yMin = caps.wYmin, out.yMax = caps.wYmax;
    out.numButtons = caps.wNumButtons, out.maxButtons = caps.wMaxButtons;
    out.zMin = caps.wZmin, out.zMax = caps.wZmax, out.rMin = caps.wRmin, out.rMax = caps.wRmax;
    out.uMin = caps.wUmin, out.uMax = caps.wUmax, out.vMin = caps.wVmin, out.vMax = caps.wVmax;
    out.hasZ = (caps.wCaps & JOYCAPS_HASZ) != 0;
    out.hasR = (caps.wCaps & JOYCAPS_HASR) != 0;
    out.hasU = (caps.wCaps & JOYCAPS_HASU) != 0;
    out.hasV = (caps.wCaps & JOYCAPS_HASV) != 0;
    out.hasPov = (caps.wCaps & JOYCAPS_HASPOV) != 0;
    // A hat that reports hundredths of a degree is read so, and shows its diagonals.
    continuousPov[joystickId & 15] = (caps.wCaps & JOYCAPS_POVCTS) != 0;
    return true;
}

bool JoystickAnswers(int joystickId) {
    const UINT id = static_cast<UINT>(joystickId);
    const bool answers = joySetCapture(mainWindow, id, 50, FALSE) == JOYERR_NOERROR;
    // Released whether or not the capture succeeded.
    joyReleaseCapture(id);
    return answers;
}

std::string JoystickDeviceKey(int joystickId) {
    JOYCAPSA caps = {};
    if (joyGetDevCapsA(static_cast<UINT>(joystickId), &caps, sizeof caps) != JOYERR_NOERROR) {
        return "";
    }
    caps.szRegKey[sizeof caps.szRegKey - 1] = '\0';
    if (caps.szRegKey[0] == '\0') return "";
    const std::string path =
        std::string(JoystickConfigPath) + caps.szRegKey + "\\CurrentJoystickSettings";
    char name[32];
    std::snprintf(name, sizeof name, "Joystick%dOEMName", joystickId + 1);
    // Windows 95, 98 and Me keep it for the machine only.
    const std::string user = ReadStringValue(HKEY_CURRENT_USER, path, name);
    return user.empty() ? ReadStringValue(HKEY_LOCAL_MACHINE, path, name) : user;
}

void SendKey(uint8_t virtualKey, bool down) {
    keybd_event(virtualKey, 0, down ? 0 : KEYEVENTF_KEYUP, 0);
}

int KeyForCharacter(char c) {
    const SHORT scan = VkKeyScanA(c);
    if (scan == -1) return -1;
    return scan & 0xFF;
}

void MovePointer(int32_t dx, int32_t dy) {
    mouse_event(MOUSEEVENTF_MOVE, static_cast<DWORD>(dx), static_cast<DWORD>(dy), 0, 0);
}

void SendMouseButton(MouseButton button, bool down, int32_t x, int32_t y) {
    DWORD flags = button == MouseButton::Left
                      ? (down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP)
                      : (down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP);
    // Absolute coordinates without MOUSEEVENTF_MOVE: the action happens where the pointer is.
    flags |= MOUSEEVENTF_ABSOLUTE;
    mouse_event(flags, static_cast<DWORD>(x), static_cast<DWORD>(y), 0, 0);
}

void TurnWheel(bool horizontal, int32_t amount) {
    mouse_event(horizontal ? HorizontalWheel : MOUSEEVENTF_WHEEL, 0, 0, static_cast<DWORD>(amount),
                0);
}

void GetCursorPosition(int32_t& x, int32_t& y) {
    POINT point = {0, 0};
    GetCursorPos(&point);
    x = point.x;
    y = point.y;
}

void StartTimer(int joystickId, int periodMs) {
    PollTimer& poll = pollTimers[joystickId & 15];
    DeletePollTimer(poll);
    const TimerQueueApi& queues = TimerQueues();
    if (!timerQueue && queues.Present()) timerQueue = queues.create();
    poll.generation = (poll.generation + 1) & GenerationMask;
    InterlockedExchange(&poll.posted, 0);
    // A period of 0 polls every millisecond, the finest the system timer goes.
    const DWORD period = static_cast<DWORD>(periodMs < 1 ? 1 : periodMs);
    poll.pacing.SetPeriod(periodMs);
    const UINT_PTR parameter = (static_cast<UINT_PTR>(poll.generation) << 4) | (joystickId & 15);
    if (timerQueue && queues.createTimer(&poll.timer, timerQueue, PostPollTick,
                                         reinterpret_cast<PVOID>(parameter), period, period,
                                         WT_EXECUTEINTIMERTHREAD)) {
        poll.windowTimer = false;
    } else {
        const UINT_PTR id = FirstWindowPollTimer + static_cast<UINT_PTR>(joystickId & 15);
        poll.windowTimer = SetTimer(mainWindow, id, period, PostWindowPollTick) != 0;
        poll.timer = poll.windowTimer ? reinterpret_cast<HANDLE>(id) : nullptr;
    }
    UpdateSystemTimer();
}

void StopTimer(int joystickId) {
    DeletePollTimer(pollTimers[joystickId & 15]);
    UpdateSystemTimer();
}

bool TakePollTick(WPARAM wParam, LPARAM lParam) {
    PollTimer& poll = pollTimers[wParam & 15];
    if (!poll.timer || static_cast<UINT>(lParam) != poll.generation) return false;
    // A tick arrived: the next one may be posted, whether or not this one polls.
    InterlockedExchange(&poll.posted, 0);
    return poll.pacing.Take(NowUs());
}

void RefreshJoystickList() { joyConfigChanged(0); }

ReadStatus ReadWholeFile(const std::string& path, std::vector<uint8_t>& out) {
    FileHandle file(
        CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FileFlags, nullptr));
    if (!file.IsOpen()) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                   ? ReadStatus::Missing
                   : ReadStatus::Unreadable;
    }
    out.clear();
    uint8_t buffer[4096];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr)) {
            return ReadStatus::Unreadable;
        }
        if (got == 0) return ReadStatus::Ok;
        out.insert(out.end(), buffer, buffer + got);
    }
}

ReplaceResult ReplaceWholeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    Win32FileOps ops;
    return ReplaceAtomically(ops, path, bytes);
}

bool RemoveFile(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

bool GetFileStamp(const std::string& path, FileStamp& out) {
    // FindFirstFileA, not GetFileAttributesExA: Windows 95 has it too, and it opens no handle
    // that an editor saving the file could collide with.
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    out.size = (static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    out.time = (static_cast<uint64_t>(found.ftLastWriteTime.dwHighDateTime) << 32) |
               found.ftLastWriteTime.dwLowDateTime;
    return true;
}

std::vector<std::string> ListFiles(const std::string& directory) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((directory + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    // Hidden and system files stay out, as they do in a directory list box.
    constexpr DWORD Skipped = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN |
                              FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DEVICE;
    do {
        if ((found.dwFileAttributes & Skipped) == 0) names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

bool GetDisplayName(const std::string& path, std::string& out) {
    // Only an existing file has a display name; the shell's answer for a missing one is not used.
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    SHFILEINFOA info = {};
    if (!SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME)) return false;
    out = info.szDisplayName;
    return true;
}

std::string ExecutablePath() {
    // GetModuleFileNameA cuts a path that does not fit and then fills the buffer completely.
    std::vector<char> buffer(MAX_PATH + 1);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), size);
        if (length < size) return std::string(buffer.data(), length);
        if (size >= 32768) return std::string();
        buffer.resize(buffer.size() * 2);
    }
}

bool SetRunValue(RunKey key, const std::string& name, const std::string& value) {
    RunKeyHandle run(key);
    if (!run.Get()) return false;
    // The stored length counts the terminating NUL.
    return RegSetValueExA(run.Get(), name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool DeleteRunValue(RunKey key, const std::string& name) {
    RunKeyHandle run(key);
    return run.Get() && RegDeleteValueA(run.Get(), name.c_str()) == ERROR_SUCCESS;
}

bool HasRunValue(RunKey key, const std::string& name) {
    RunKeyHandle run(key, KEY_QUERY_VALUE);
    return run.Get() && RegQueryValueExA(run.Get(), name.c_str(), nullptr, nullptr, nullptr,
                                         nullptr) == ERROR_SUCCESS;
}

int ShowMessageOver(HWND owner, const std::string& text, const std::string& title, MessageIcon icon,
                    UINT buttons) {
    UINT style = buttons;
    if (icon == MessageIcon::Error) style |= MB_ICONERROR;
    if (icon == MessageIcon::Information) style |= MB_ICONINFORMATION;
    if (icon == MessageIcon::Question) style |= MB_ICONQUESTION;
    return MessageBoxA(owner, text.c_str(), title.c_str(), style);
}

void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon, bool owned) {
    ShowMessageOver(owned ? mainWindow : nullptr, text, title, icon, MB_OK);
}

}  // namespace platform
