// Trackbar messages of a slider.
#include "app/SliderControl_win32.h"

#include <commctrl.h>

void SliderControl::Attach(HWND dialog, int controlId) {
    trackbarWindow = GetDlgItem(dialog, controlId);
}

void SliderControl::SetRange(int32_t minimum, int32_t maximum, bool redraw) {
    PostMessageA(trackbarWindow, TBM_SETRANGE, redraw ? TRUE : FALSE,
                 MAKELPARAM(static_cast<WORD>(minimum), static_cast<WORD>(maximum)));
}

void SliderControl::SetSteps(int32_t line, int32_t page, int which) {
    if (which & LineStep) PostMessageA(trackbarWindow, TBM_SETLINESIZE, 0, line);
    if (which & PageStep) PostMessageA(trackbarWindow, TBM_SETPAGESIZE, 0, page);
}

void SliderControl::SetTicFrequency(int32_t frequency) {
    PostMessageA(trackbarWindow, TBM_SETTICFREQ, static_cast<WPARAM>(frequency), 0);
}

void SliderControl::SetPosition(int32_t position, bool redraw) {
    PostMessageA(trackbarWindow, TBM_SETPOS, redraw ? TRUE : FALSE, position);
}

int32_t SliderControl::Position() const {
    return static_cast<int32_t>(SendMessageA(trackbarWindow, TBM_GETPOS, 0, 0));
}
