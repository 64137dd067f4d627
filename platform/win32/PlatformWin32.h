// Win32 side of the platform backend: what the shell tells it.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>

#include "platform/Platform.h"

namespace platform {

// Looks up a function that older Windows versions lack, so that the program still starts there:
// `out` is null when `module` is null or does not export `name`.
template <typename Function>
void FindFunction(HMODULE module, const char* name, Function& out) {
    const FARPROC found = module ? GetProcAddress(module, name) : nullptr;
    static_assert(sizeof out == sizeof found, "function pointers of one size");
    std::memcpy(&out, &found, sizeof out);
}

// The main control window: receiver of poll ticks and owner of owned message boxes.
void SetMainWindow(HWND window);

// Posted to the main control window when a joystick is due for a poll: wParam is the joystick ID.
constexpr UINT PollTickMessage = WM_APP + 1;
// Takes a posted PollTickMessage: true when it comes from that joystick's running poll timer and
// at least half a period after that joystick's last poll; false for a tick a stopped or restarted
// timer left in the queue, and for one of a pile the queue delivers after a busy moment.
bool TakePollTick(WPARAM wParam, LPARAM lParam);

// Tells winmm that devices changed, so that its joystick list is read again.
void RefreshJoystickList();

// A modal message box over `owner` (none when null) with the icon's style and `buttons` (MB_OK,
// MB_YESNO); returns the button chosen (IDOK, IDYES, IDNO).
int ShowMessageOver(HWND owner, const std::string& text, const std::string& title, MessageIcon icon,
                    UINT buttons);

}  // namespace platform
