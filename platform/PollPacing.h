// The pacing of poll ticks: at most one tick of a joystick is taken per polling period, so the
// ticks that pile up while the main thread is busy give one poll when it is free again, not a
// burst of them.
#pragma once

#include <cstdint>

class PollPacing {
  public:
    // The timer's period in milliseconds; below 1 counts as 1, the finest a poll timer runs at.
    // The last poll taken is kept.
    void SetPeriod(int periodMs) { halfPeriodUs = (periodMs < 1 ? 1 : periodMs) * int64_t{500}; }
    // A tick arriving at `nowUs`, microseconds on a steady clock: true when it is taken as a poll;
    // false, changing nothing, when it arrives less than half a period after the last poll taken.
    // A clock that went back (a wrapped counter) takes the tick.
    bool Take(int64_t nowUs) {
        const int64_t since = nowUs - lastPollUs;
        if (polled && since >= 0 && since < halfPeriodUs) return false;
        polled = true;
        lastPollUs = nowUs;
        return true;
    }

  private:
    int64_t halfPeriodUs = 500;
    int64_t lastPollUs = 0;
    bool polled = false;
};
