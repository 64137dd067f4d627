// Directions mapped to "Move Mouse": the dead zone, the pixels per poll, the axis swaps and the
// acceleration that grows with consecutive moving polls. The device's axes run 0..65535, so the
// centre is 32767; a new profile has Threshold 1000 and Sensitivity 6000.
#include <algorithm>

#include "tests/engine/EngineFixture.h"

using namespace enginetest;

namespace {

class PointerMotion : public EngineTest {
  protected:
    PointerMotion() {
        for (int direction = 0; direction < 4; ++direction) {
            Map(DirectionEvent(direction), DirMoveMouse, NoKey);
        }
        profile->stored.settings.acceleration = 0;
    }

    // The vertical amounts of `polls` polls at this Y position.
    std::vector<int32_t> VerticalMoves(uint32_t y, int polls) {
        std::vector<int32_t> amounts;
        for (int poll = 0; poll < polls; ++poll) {
            for (const recording::Call& call : PollAt(Mid, y)) amounts.push_back(call.b);
        }
        return amounts;
    }
};

TEST_F(PointerMotion, DeadZoneEdgesAreInsideAndOneUnitBeyondSendsAZeroMove) {
    Start();
    EXPECT_EQ(PollAt(Mid, 33767), Input{});
    EXPECT_EQ(PollAt(Mid, 33768), Input{recording::Move(0, 0)});
    EXPECT_EQ(PollAt(Mid, 31767), Input{});
    EXPECT_EQ(PollAt(Mid, 31766), Input{recording::Move(0, 0)});
    EXPECT_EQ(PollAt(33767, Mid), Input{});
    EXPECT_EQ(PollAt(33768, Mid), Input{recording::Move(0, 0)});
    EXPECT_EQ(PollAt(31767, Mid), Input{});
    EXPECT_EQ(PollAt(31766, Mid), Input{recording::Move(0, 0)});
}

TEST_F(PointerMotion, DeadZoneWiderThanASmallDeviceRangeLeavesTheStickAtRest) {
    Map(DirectionEvent(0), DirAlt, NoKey);
    Map(DirectionEvent(2), DirCtrl, NoKey);
    recording::JoystickAt(0).caps = {0, 255, 0, 255, 32, 32};  // centre 127
    profile->SetUpDevice();
    Start();
    EXPECT_EQ(PollAt(127, 0), Input{});
    EXPECT_EQ(PollAt(127, 127), Input{});
    EXPECT_EQ(PollAt(127, 255), Input{});
    EXPECT_EQ(PollAt(0, 127), Input{});
    profile->stored.settings.threshold = 100;
    EXPECT_EQ(PollAt(127, 27), Input{});
    EXPECT_EQ(PollAt(127, 26), Input{Down(VkMenu)});
    EXPECT_EQ(PollAt(127, 255), (Input{Up(VkMenu), Down(VkControl)}));
}

TEST_F(PointerMotion, FullDeflectionMovesFivePixelsWithTheRightSign) {
    Start();
    EXPECT_EQ(PollAt(Mid, High), Input{recording::Move(0, 5)});
    EXPECT_EQ(PollAt(Mid, Low), Input{recording::Move(0, -5)});  // -5.29 truncates to -5, not -6
    EXPECT_EQ(PollAt(High, Mid), Input{recording::Move(5, 0)});
    EXPECT_EQ(PollAt(Low, Mid), Input{recording::Move(-5, 0)});
    // Up, Right, Down, Left: each moving direction sends its own move.
    EXPECT_EQ(PollAt(High, Low), (Input{recording::Move(0, -5), recording::Move(5, 0)}));
    EXPECT_EQ(PollAt(Low, High), (Input{recording::Move(0, 5), recording::Move(-5, 0)}));
}

TEST_F(PointerMotion, AmountsTruncateTowardsZeroOnBothSides) {
    profile->stored.settings.sensitivity = 7000;
    Start();
    EXPECT_EQ(PollAt(Mid, Low), Input{recording::Move(0, -4)});    // -31767 / 7000
    EXPECT_EQ(PollAt(Mid, High), Input{recording::Move(0, 4)});    // 31768 / 7000
    EXPECT_EQ(PollAt(Mid, 20000), Input{recording::Move(0, -1)});  // -11767 / 7000
}

TEST_F(PointerMotion, SwappedYAxisMakesHighYTheUpDirectionMovingUp) {
    Map(DirectionEvent(2), DirCtrl, NoKey);
    profile->stored.settings.swapY = 1;
    profile->stored.settings.acceleration = 50;
    Start();
    EXPECT_EQ(VerticalMoves(High, 4), (std::vector<int32_t>{-5, -5, -6, -7}));
    EXPECT_EQ(PollAt(Mid, Low), Input{Down(VkControl)});
}

TEST_F(PointerMotion, SwappedXAxisMakesLowXTheRightDirection) {
    Map(DirectionEvent(3), DirAlt, NoKey);
    profile->stored.settings.swapX = 1;
    Start();
    EXPECT_EQ(PollAt(Low, Mid), Input{recording::Move(5, 0)});
    EXPECT_EQ(PollAt(High, Mid), Input{Down(VkMenu)});
}

TEST_F(PointerMotion, AccelerationFiftyAddsAPixelEveryPollFromTheThird) {
    profile->stored.settings.acceleration = 50;
    Start();
    EXPECT_EQ(VerticalMoves(High, 5), (std::vector<int32_t>{5, 5, 6, 7, 8}));
    EXPECT_EQ(PollAt(Mid, Mid), Input{});
    EXPECT_EQ(VerticalMoves(Low, 3), (std::vector<int32_t>{-5, -5, -6}));
}

TEST_F(PointerMotion, AccelerationTenAddsAPixelEveryFortyOnePolls) {
    profile->stored.settings.acceleration = 10;
    Start();
    const std::vector<int32_t> moves = VerticalMoves(High, 84);
    ASSERT_EQ(moves.size(), 84u);
    EXPECT_EQ(std::count(moves.begin(), moves.begin() + 42, 5), 42);
    EXPECT_EQ(std::count(moves.begin() + 42, moves.begin() + 83, 6), 41);
    EXPECT_EQ(moves[83], 7);
}

TEST_F(PointerMotion, AccelerationZeroKeepsTheAmountConstant) {
    Start();
    const std::vector<int32_t> moves = VerticalMoves(High, 200);
    EXPECT_EQ(std::count(moves.begin(), moves.end(), 5), 200);
}

TEST_F(PointerMotion, SlightDeflectionCreepsOnceTheStreakIsLongEnough) {
    profile->stored.settings.sensitivity = 10000;
    profile->stored.settings.acceleration = 48;
    Start();
    EXPECT_EQ(VerticalMoves(34000, 8), (std::vector<int32_t>{0, 0, 0, 0, 1, 1, 1, 2}));
}

TEST_F(PointerMotion, LeavingDirectionDropsItsCarryWhileTheStreakGoesOn) {
    profile->stored.settings.acceleration = 50;
    Start();
    EXPECT_EQ(PollAt(High, High), (Input{recording::Move(5, 0), recording::Move(0, 5)}));
    EXPECT_EQ(PollAt(High, High), (Input{recording::Move(5, 0), recording::Move(0, 5)}));
    EXPECT_EQ(PollAt(High, High), (Input{recording::Move(6, 0), recording::Move(0, 6)}));
    EXPECT_EQ(PollAt(Mid, High), (Input{recording::Move(0, 7)}));
    // Right starts again from its base amount but takes the streak that Down kept going.
    EXPECT_EQ(PollAt(High, High), (Input{recording::Move(5, 0), recording::Move(0, 8)}));
    EXPECT_EQ(PollAt(High, High), (Input{recording::Move(9, 0), recording::Move(0, 9)}));
    EXPECT_EQ(PollAt(Mid, Mid), Input{});
    EXPECT_EQ(VerticalMoves(High, 3), (std::vector<int32_t>{5, 5, 6}));
}

TEST_F(PointerMotion, MoveMouseIgnoresTheKeyAndTextOfItsDirection) {
    Map(DirectionEvent(2), DirMoveMouse, Enter, "ab");
    Start();
    EXPECT_EQ(PollAt(Mid, High), Input{recording::Move(0, 5)});
    EXPECT_EQ(PollAt(Mid, High), Input{recording::Move(0, 5)});
    EXPECT_EQ(PollAt(Mid, Mid), Input{});
}

TEST_F(PointerMotion, DamagedSensitivityAndAccelerationDivideByOne) {
    profile->stored.settings.sensitivity = 0;
    profile->stored.settings.acceleration = 51;
    Start();
    EXPECT_EQ(VerticalMoves(33770, 4), (std::vector<int32_t>{3, 3, 4, 5}));
    EXPECT_EQ(PollAt(Mid, Mid), Input{});
    profile->stored.settings.sensitivity = -20;
    profile->stored.settings.acceleration = 75;
    EXPECT_EQ(VerticalMoves(33770, 3), (std::vector<int32_t>{3, 3, 4}));
    EXPECT_EQ(profile->stored.settings.sensitivity, -20);
    EXPECT_EQ(profile->stored.settings.acceleration, 75);
}

}  // namespace
