// One trackbar of the main control window. Setters post their message, so they take effect when
// the message loop reaches it; only Position asks the trackbar at once.
#pragma once

#include <windows.h>

#include <cstdint>

class SliderControl {
  public:
    SliderControl() = default;
    virtual ~SliderControl() = default;
    SliderControl(const SliderControl&) = delete;
    SliderControl& operator=(const SliderControl&) = delete;

    // Drives the dialog's control `controlId`.
    void Attach(HWND dialog, int controlId);
    void SetRange(int32_t minimum, int32_t maximum, bool redraw);
    // Bits of SetSteps' `which`.
    static constexpr int LineStep = 1;
    static constexpr int PageStep = 2;
    // Sets the line size when `which` has LineStep, the page size when it has PageStep.
    void SetSteps(int32_t line, int32_t page, int which);
    void SetTicFrequency(int32_t frequency);
    void SetPosition(int32_t position, bool redraw);
    // The thumb position, asked now.
    int32_t Position() const;

  private:
    HWND trackbarWindow = nullptr;
};
