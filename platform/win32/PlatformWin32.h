// Win32 side of the platform backend: what the shell tells it.
#pragma once

#include <windows.h>

#include <string>

#include "platform/Platform.h"

namespace platform {

// The main control window: owner of poll timers and of owned message boxes.
void SetMainWindow(HWND window);

// A modal message box over `owner` (none when null) with the icon's style and `buttons` (MB_OK,
// MB_YESNO); returns the button chosen (IDOK, IDYES, IDNO).
int ShowMessageOver(HWND owner, const std::string& text, const std::string& title, MessageIcon icon,
                    UINT buttons);

}  // namespace platform
