// Which application is in front: the window, its program's path and title, and whether that
// program runs as administrator; the functions missing on older Windows are loaded at run time.
#pragma once

#include <windows.h>

#include "app/RulesInForce.h"

class ForegroundWatch {
  public:
    // What is in front now, the title read only when `withTitle`. False, changing nothing, when
    // no window is in front (as for a moment between two windows) or one of this process's is.
    bool Read(bool withTitle, Foreground& out);
    // Whether the last Read that returned true found another program than the one before it;
    // FrontElevation is then that program's.
    bool ProgramChanged() const { return changed; }
    Elevation FrontElevation() const { return elevation; }
    // Posts `message` to `window` whenever the system reports another window in front, where
    // it can (Windows 98, 2000 and later); Unhook ends that. Under Wine it never fires: polling
    // stays the rule, and this only makes switches quicker.
    static void HookChanges(HWND window, UINT message);
    static void Unhook();
    // Whether another process's window is in front.
    static bool AnotherProgramInFront();
    // Whether this process runs as administrator; read once.
    static Elevation SelfElevation();

  private:
    HWND window = nullptr;
    DWORD processId = 0;
    Foreground program;  // the program of `window`, without its title
    bool changed = false;
    Elevation elevation = Elevation::Unknown;
};

// Whether the shell shows balloons from notification-area icons (shell32 5.0 and later).
bool HasBalloons();
