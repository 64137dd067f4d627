// Poll ticks: one poll per period, whatever the queue delivers after a busy moment.
#include <gtest/gtest.h>

#include <vector>

#include "platform/PollPacing.h"

namespace {

// The arrival times (microseconds) of the ticks taken.
std::vector<int64_t> Taken(PollPacing& pacing, const std::vector<int64_t>& arrivals) {
    std::vector<int64_t> taken;
    for (int64_t at : arrivals) {
        if (pacing.Take(at)) taken.push_back(at);
    }
    return taken;
}

}  // namespace

TEST(PollPacing, TicksOnTimeOrLateAreTakenButAPileAfterAStallGivesOnePoll) {
    PollPacing pacing;
    pacing.SetPeriod(20);
    // On time, then one 8 ms late followed by its successor on time: 12 ms apart, still taken.
    EXPECT_EQ(Taken(pacing, {0, 20000, 48000, 60000}),
              (std::vector<int64_t>{0, 20000, 48000, 60000}));
    // A 21 s stall leaves 84 ticks queued, delivered 70 us apart: one poll, then the period again.
    std::vector<int64_t> pile;
    for (int i = 0; i < 84; ++i) pile.push_back(21060000 + 70 * i);
    pile.push_back(21080000);
    EXPECT_EQ(Taken(pacing, pile), (std::vector<int64_t>{21060000, 21080000}));
}

TEST(PollPacing, APeriodOfZeroPollsEveryMillisecondAndAClockThatWentBackTakesTheTick) {
    PollPacing pacing;
    pacing.SetPeriod(0);
    EXPECT_EQ(Taken(pacing, {1000, 1300, 1600, 2000}), (std::vector<int64_t>{1000, 1600}));
    EXPECT_EQ(Taken(pacing, {5}), (std::vector<int64_t>{5}));
}
