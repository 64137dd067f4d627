// The record each arriving pad takes, rule by rule, and where the records then sit.
#include <gtest/gtest.h>

#include "profiles/PadAssignment.h"

namespace {

constexpr uint16_t Bit(int id) { return static_cast<uint16_t>(1u << id); }

// Records and pads by ID: the key a record remembers, the key of the pad arriving there.
DeviceKeys Keys(std::initializer_list<std::pair<int, const char*>> keys) {
    DeviceKeys out;
    for (const auto& key : keys) out[key.first] = key.second;
    return out;
}

}  // namespace

TEST(PadAssignment, OwnRecordRememberingNoPadComesBeforeAnotherRecordRememberingThisOne) {
    const RecordLayout layout = SeatPads(Keys({{4, "PAD"}}), 0, Bit(2), Keys({{2, "PAD"}}));
    EXPECT_EQ(layout[2], 2);
    EXPECT_EQ(layout[4], 4);
}

TEST(PadAssignment, IdenticalPadsTakeTheLowestRecordsRememberingThemInIdOrder) {
    const DeviceKeys remembered = Keys({{1, "TWIN"}, {2, "TWIN"}, {5, "A"}, {6, "B"}});
    const RecordLayout layout =
        SeatPads(remembered, 0, Bit(5) | Bit(6), Keys({{5, "TWIN"}, {6, "TWIN"}}));
    EXPECT_EQ(layout[5], 1);
    EXPECT_EQ(layout[6], 2);
}

TEST(PadAssignment, ANewPadTakesARecordRememberingNoPadBeforeOneRememberingAnother) {
    DeviceKeys remembered = Keys({{0, "A"}, {3, "D"}});
    EXPECT_EQ(SeatPads(remembered, 0, Bit(3), Keys({{3, "NEW"}}))[3], 1);
    EXPECT_EQ(SeatPads(remembered, 0, Bit(3), Keys({{3, ""}}))[3], 1);
}

TEST(PadAssignment, WhenEveryFreeRecordRemembersAnotherPadOwnIdComesFirstThenTheLowestFree) {
    DeviceKeys remembered;
    for (int id = 0; id < 16; ++id) remembered[id] = "K" + std::to_string(id);
    // The pad at 1 is K3 and takes record 3 from the new pad at 3, which takes the lowest free.
    const RecordLayout layout = SeatPads(remembered, Bit(0), Bit(1) | Bit(3) | Bit(9),
                                         Keys({{1, "K3"}, {3, "NEW"}, {9, "NEW"}}));
    EXPECT_EQ(layout[0], 0);
    EXPECT_EQ(layout[1], 3);
    EXPECT_EQ(layout[3], 1);
    EXPECT_EQ(layout[9], 9);
}

TEST(PadAssignment, FreeRecordsFillTheIdsWithoutAPadInTheOrderOfTheIdsTheyHad) {
    // Pad A stays at 1; pad C arrives at 0 and takes record 2. Records 0, 3..15 are free.
    const RecordLayout layout =
        SeatPads(Keys({{0, "X"}, {1, "A"}, {2, "C"}}), Bit(1), Bit(0), Keys({{0, "C"}}));
    const RecordLayout expected = {2, 1, 0, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    EXPECT_EQ(layout, expected);
}
