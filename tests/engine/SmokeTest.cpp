// Temporary smoke test.
#include <gtest/gtest.h>

#include "profiles/JoystickProfile.h"
#include "tests/fakes/FakePlatform.h"

TEST(Smoke, EnterRefires) {
    fake::Reset();
    ProgramContext context{"C:\\Q\\", PlatformWindowsNt};
    JoystickProfile profile(context, 0);
    profile.profileName = "Pad";
    profile.Load();
    profile.ActionTable[KeyIndex(Column::Normal, ButtonEvent(1))] = 23;
    profile.StartPolling();
    fake::TakeInput();
    fake::JoystickAt(0).state.buttons = 1;
    profile.Poll();
    EXPECT_EQ(fake::TakeInput(), (std::vector<fake::Call>{fake::KeyUp(0x0D), fake::KeyDown(0x0D)}));
}
