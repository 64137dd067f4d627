// Process start and end: the platform check, the single-instance mutex, the hidden frame window,
// the Application and the message loop.
#include <windows.h>

#include <objbase.h>

#include <memory>
#include <new>

#include "app/ApplicationLogic.h"
#include "app/Application_win32.h"
#include "app/ProgramGlobals_win32.h"
#include "app/ShellMessages.h"

ProgramGlobals programGlobals;

namespace {

constexpr int ExitFailedStart = 1;
constexpr int ExitRefused = -1;

LRESULT CALLBACK FrameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// A message over an explicit owner (the frame window, or none before it exists).
void ShowOver(HWND owner, const MessageText& message) {
    UINT style = MB_OK;
    if (message.icon == platform::MessageIcon::Error) style |= MB_ICONERROR;
    if (message.icon == platform::MessageIcon::Information) style |= MB_ICONINFORMATION;
    MessageBoxA(owner, message.text.c_str(), message.title.c_str(), style);
}

uint32_t PlatformId() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    // Deprecated, yet the call that tells the 9x family from NT.
#ifdef _MSC_VER
#pragma warning(push)
#pragma warning(disable : 4996)
#endif
    GetVersionExA(&version);
#ifdef _MSC_VER
#pragma warning(pop)
#endif
    return version.dwPlatformId;
}

HWND CreateFrameWindow(HINSTANCE instance) {
    WNDCLASSA frameClass = {};
    frameClass.lpfnWndProc = FrameWindowProc;
    frameClass.hInstance = instance;
    frameClass.hIcon = LoadIconA(instance, "IDI_JOY");
    frameClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    frameClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    frameClass.lpszClassName = "QVMainFrame";
    RegisterClassA(&frameClass);
    // Class names compare without regard to case.
    return CreateWindowExA(0, "QVMAINFRAME", "Quorvel", 0, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
}

void RunMessageLoop() {
    // No IsDialogMessage: the main control window has no keyboard navigation.
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

int RunProgram(HINSTANCE instance, const char* commandLine) {
    programGlobals.instance = instance;
    programGlobals.frameWindow = CreateFrameWindow(instance);
    if (!programGlobals.frameWindow) return ExitRefused;
    const ProgramContext context{ProgramDirectoryOf(platform::ExecutablePath()),
                                 programGlobals.platformId};
    std::unique_ptr<Application> application(new (std::nothrow) Application(context));
    if (!application) {
        ShowOver(programGlobals.frameWindow, CouldntCreateMainWindowMessage());
        return ExitRefused;
    }
    if (application->Create(commandLine) != 0) {
        ShowOver(programGlobals.frameWindow, CouldntCreateMainWindowMessage());
        return ExitFailedStart;
    }
    SetPriorityClass(GetCurrentProcess(), REALTIME_PRIORITY_CLASS);
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
    RunMessageLoop();
    DestroyWindow(programGlobals.frameWindow);
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    programGlobals.platformId = PlatformId();
    if (!IsSupportedPlatform(programGlobals.platformId)) {
        ShowOver(nullptr, WrongPlatformMessage());
        return ExitRefused;
    }
    const HANDLE mutex = CreateMutexA(nullptr, TRUE, "Quorvel");
    if (!mutex) return ExitRefused;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        // The running instance is neither signalled nor brought forward.
        ShowOver(nullptr, AnotherInstanceMessage());
        ReleaseMutex(mutex);
        CloseHandle(mutex);
        return ExitRefused;
    }
    // The shell's display names of profile files (SHGetFileInfoA) need COM on this thread.
    const bool com = SUCCEEDED(CoInitialize(nullptr));
    const int exitCode = RunProgram(instance, commandLine ? commandLine : "");
    if (com) CoUninitialize();
    ReleaseMutex(mutex);
    CloseHandle(mutex);
    return exitCode;
}
