// The window in front, its program found as each Windows version allows (Vista and later:
// QueryFullProcessImageNameA; 2000 and XP: psapi's GetModuleFileNameExA; 95, 98 and Me: the
// Toolhelp process list), the token's elevation, and whether the shell has balloons.
#include "app/ForegroundWatch_win32.h"

#include <shlwapi.h>
#include <tlhelp32.h>

#include <vector>

#include "platform/win32/PlatformWin32.h"

namespace {

// The functions are looked up at run time, so that the program still starts where they are
// missing: all of them on Windows 95 but Toolhelp's.
struct ProcessApi {
    BOOL(WINAPI* queryFullName)(HANDLE, DWORD, LPSTR, PDWORD) = nullptr;
    DWORD(WINAPI* moduleFileName)(HANDLE, HMODULE, LPSTR, DWORD) = nullptr;
    HANDLE(WINAPI* snapshot)(DWORD, DWORD) = nullptr;
    BOOL(WINAPI* firstProcess)(HANDLE, tagPROCESSENTRY32*) = nullptr;
    BOOL(WINAPI* nextProcess)(HANDLE, tagPROCESSENTRY32*) = nullptr;
    BOOL(WINAPI* openToken)(HANDLE, DWORD, PHANDLE) = nullptr;
    BOOL(WINAPI* tokenInformation)
    (HANDLE, TOKEN_INFORMATION_CLASS, LPVOID, DWORD, PDWORD) = nullptr;
};

// Where the foreground event hook posts, and the hook.
HWND hookWindow = nullptr;
UINT hookMessage = 0;
HWINEVENTHOOK hook = nullptr;

const ProcessApi& Api() {
    static const ProcessApi api = [] {
        ProcessApi found;
        const HMODULE kernel = GetModuleHandleA("kernel32.dll");
        platform::FindFunction(kernel, "QueryFullProcessImageNameA", found.queryFullName);
        if (!found.queryFullName) {
            // Loaded for the program's lifetime: it is asked at every change of program.
            platform::FindFunction(LoadLibraryA("psapi.dll"), "GetModuleFileNameExA",
                                   found.moduleFileName);
        }
        platform::FindFunction(kernel, "CreateToolhelp32Snapshot", found.snapshot);
        platform::FindFunction(kernel, "Process32First", found.firstProcess);
        platform::FindFunction(kernel, "Process32Next", found.nextProcess);
        const HMODULE advapi = GetModuleHandleA("advapi32.dll");
        platform::FindFunction(advapi, "OpenProcessToken", found.openToken);
        platform::FindFunction(advapi, "GetTokenInformation", found.tokenInformation);
        return found;
    }();
    return api;
}

class ProcessHandle {
  public:
    ProcessHandle(DWORD access, DWORD processId) : handle(OpenProcess(access, FALSE, processId)) {}
    ~ProcessHandle() {
        if (handle) CloseHandle(handle);
    }
    ProcessHandle(const ProcessHandle&) = delete;
    ProcessHandle& operator=(const ProcessHandle&) = delete;
    HANDLE Get() const { return handle; }

  private:
    HANDLE handle;
};

// The whole path of the process's program from the Toolhelp list (Windows 95, 98 and Me give
// the whole path there).
bool PathFromProcessList(DWORD processId, std::string& out) {
    const ProcessApi& api = Api();
    if (!api.snapshot || !api.firstProcess || !api.nextProcess) return false;
    const HANDLE list = api.snapshot(TH32CS_SNAPPROCESS, 0);
    if (list == INVALID_HANDLE_VALUE) return false;
    tagPROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = api.firstProcess(list, &entry); more && !found;
         more = api.nextProcess(list, &entry)) {
        if (entry.th32ProcessID == processId) {
            out = entry.szExeFile;
            found = true;
        }
    }
    CloseHandle(list);
    return found;
}

bool ProgramPath(DWORD processId, std::string& out) {
    const ProcessApi& api = Api();
    char path[MAX_PATH * 4] = "";
    if (api.queryFullName) {
        // Limited information is granted even on programs run as administrator.
        ProcessHandle process(PROCESS_QUERY_LIMITED_INFORMATION, processId);
        DWORD size = sizeof path;
        if (!process.Get() || !api.queryFullName(process.Get(), 0, path, &size)) return false;
        out.assign(path, size);
        return true;
    }
    if (api.moduleFileName) {
        ProcessHandle process(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, processId);
        const DWORD length =
            process.Get() ? api.moduleFileName(process.Get(), nullptr, path, sizeof path) : 0;
        if (length == 0) return false;
        out.assign(path, length);
        return true;
    }
    return PathFromProcessList(processId, out);
}

Elevation TokenElevationOf(HANDLE process) {
    const ProcessApi& api = Api();
    HANDLE token = nullptr;
    if (!process || !api.openToken || !api.tokenInformation ||
        !api.openToken(process, TOKEN_QUERY, &token)) {
        return Elevation::Unknown;
    }
    // Before Vista, GetTokenInformation knows no TokenElevation and fails.
    TOKEN_ELEVATION elevated = {};
    DWORD size = 0;
    const BOOL read =
        api.tokenInformation(token, TokenElevation, &elevated, sizeof elevated, &size);
    CloseHandle(token);
    if (!read) return Elevation::Unknown;
    return elevated.TokenIsElevated ? Elevation::Elevated : Elevation::NotElevated;
}

Elevation ProcessElevation(DWORD processId) {
    // Only Vista and later have elevation, and the limited access right.
    if (!Api().queryFullName) return Elevation::Unknown;
    ProcessHandle process(PROCESS_QUERY_LIMITED_INFORMATION, processId);
    return TokenElevationOf(process.Get());
}

struct FramedSearch {
    DWORD hostId;
    DWORD found;
};

// A named callback: 32-bit MinGW turns no lambda into a stdcall function.
BOOL CALLBACK NoteFramedChild(HWND child, LPARAM data) {
    FramedSearch& search = *reinterpret_cast<FramedSearch*>(data);
    DWORD id = 0;
    GetWindowThreadProcessId(child, &id);
    if (id == search.hostId) return TRUE;
    search.found = id;
    return FALSE;
}

// The first child window of another process than the frame's host: the store app it frames.
DWORD FramedProcess(HWND frame, DWORD hostId) {
    FramedSearch search = {hostId, 0};
    EnumChildWindows(frame, NoteFramedChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

VOID CALLBACK PostFrontChanged(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) {
    PostMessageA(hookWindow, hookMessage, 0, 0);
}

std::string TitleOf(HWND window) {
    std::vector<char> text(static_cast<size_t>(GetWindowTextLengthA(window)) + 2);
    const int length = GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    return std::string(text.data(), length > 0 ? static_cast<size_t>(length) : 0);
}

}  // namespace

bool ForegroundWatch::Read(bool withTitle, Foreground& out) {
    const HWND front = GetForegroundWindow();
    if (!front) return false;
    DWORD id = 0;
    GetWindowThreadProcessId(front, &id);
    // Quorvel's own windows (main window, dialogs, menus, message boxes) change nothing, nor
    // does the taskbar the user clicks on the way to Quorvel's icon.
    if (id == GetCurrentProcessId()) return false;
    char windowClass[64] = "";
    GetClassNameA(front, windowClass, sizeof windowClass);
    if (IsTaskbarWindow(windowClass)) return false;
    changed = false;
    // A store app's frame is looked at every time: the app's window joins it after a while.
    if (front != window || id != processId || IsFrameHost(program.programPath)) {
        Foreground found;
        found.programKnown = ProgramPath(id, found.programPath);
        if (found.programKnown && IsFrameHost(found.programPath)) {
            if (const DWORD framed = FramedProcess(front, id)) {
                id = framed;
                found.programKnown = ProgramPath(id, found.programPath);
            }
        }
        changed = id != processId || found.programKnown != program.programKnown ||
                  found.programPath != program.programPath;
        if (changed) elevation = ProcessElevation(id);
        window = front;
        processId = id;
        program = found;
    }
    out = program;
    if (withTitle) out.title = TitleOf(front);
    return true;
}

void ForegroundWatch::HookChanges(HWND window, UINT message) {
    HWINEVENTHOOK(WINAPI * setHook)
    (DWORD, DWORD, HMODULE, WINEVENTPROC, DWORD, DWORD, DWORD) = nullptr;
    platform::FindFunction(GetModuleHandleA("user32.dll"), "SetWinEventHook", setHook);
    if (!setHook || hook) return;
    hookWindow = window;
    hookMessage = message;
    // Out of context: the callback runs on this thread, from its message loop.
    hook = setHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, PostFrontChanged, 0,
                   0, WINEVENT_OUTOFCONTEXT);
}

void ForegroundWatch::Unhook() {
    BOOL(WINAPI * unhook)(HWINEVENTHOOK) = nullptr;
    platform::FindFunction(GetModuleHandleA("user32.dll"), "UnhookWinEvent", unhook);
    if (unhook && hook) unhook(hook);
    hook = nullptr;
}

bool ForegroundWatch::AnotherProgramInFront() {
    DWORD id = 0;
    const HWND front = GetForegroundWindow();
    if (front) GetWindowThreadProcessId(front, &id);
    return front && id != GetCurrentProcessId();
}

Elevation ForegroundWatch::SelfElevation() {
    static const Elevation self = TokenElevationOf(GetCurrentProcess());
    return self;
}

bool HasBalloons() {
    static const bool has = [] {
        DLLGETVERSIONPROC getVersion = nullptr;
        platform::FindFunction(GetModuleHandleA("shell32.dll"), "DllGetVersion", getVersion);
        DLLVERSIONINFO version = {};
        version.cbSize = sizeof version;
        return getVersion && SUCCEEDED(getVersion(&version)) && version.dwMajorVersion >= 5;
    }();
    return has;
}
