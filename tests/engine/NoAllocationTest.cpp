// A poll allocates nothing, busy or idle. Every operator new of the test program is counted here.
#include <cstdlib>
#include <new>

#include "tests/engine/EngineFixture.h"

namespace {
long allocationCount = 0;
}  // namespace

void* operator new(std::size_t size) {
    ++allocationCount;
    if (void* memory = std::malloc(size != 0 ? size : 1)) return memory;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return ::operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    ++allocationCount;
    return std::malloc(size != 0 ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return ::operator new(size, std::nothrow);
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }

using namespace enginetest;

namespace {

using NoAllocation = EngineTest;

TEST_F(NoAllocation, BusyIdleAndUnansweredPollsAllocateNothing) {
    for (int button = 1; button <= 32; ++button) Map(ButtonEvent(button), BtnCtrl, Enter, "ab");
    for (int direction = 0; direction < 4; ++direction) {
        Map(DirectionEvent(direction), DirMoveMouse, NoKey);
    }
    profile->stored.settings.acceleration = 50;
    Start();
    recording::Joystick& joystick = recording::JoystickAt(0);

    size_t sent = 0;
    const long before = allocationCount;
    for (int poll = 0; poll < 300; ++poll) {
        const bool busy = poll % 100 < 60;
        joystick.state = busy ? platform::JoystickState{High, Low, 0xFFFFFFFF}
                              : platform::JoystickState{Mid, Mid, 0};
        joystick.answers = poll % 100 != 30;
        profile->Poll();
        sent += recording::Calls().size();
        recording::Calls().clear();
    }
    const long during = allocationCount - before;

    EXPECT_EQ(during, 0);
    EXPECT_GT(sent, 300u * 60u);
}

}  // namespace
