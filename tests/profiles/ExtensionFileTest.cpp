// The profile file's extension for the whole controller: events 37..46 and the second stick's
// axes after the Shift Button, written only when used.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/recording/RecordingPlatform.h"
#include "profiles/JoystickProfile.h"
#include "profiles/Messages.h"
#include "profiles/ProfileFile.h"

namespace {

const std::string Directory = "C:\\Q\\";
const ProgramContext Context{Directory, PlatformWindowsNt};

std::string PathOf(const std::string& name) { return Directory + name + ".qvp"; }

// A 12-button profile with button 1 on Enter, MaxChars 3, and (when extended) the D-pad's Left
// typing "ab" in the shifted column and the second stick on Z and V.
StoredProfile Sample(bool extended) {
    StoredProfile profile;
    profile.settings.maxChars = 3;
    profile.CombinationText = AllocateText(3);
    profile.SetAction(1, ButtonEvent(1), 23);
    if (extended) {
        profile.extraText = AllocateText(3, ExtraTextSlotCount);
        profile.stick2Axes = static_cast<int32_t>(SecondStickAxes::ZV);
        profile.SetAction(2, DpadEvent(3), 1);  // ALT, shifted
        std::memcpy(profile.Text(Column::Shifted, DpadEvent(3)), "ab", 2);
        profile.SetAction(1, ZHighEvent, WheelUp);
    }
    return profile;
}

class ExtensionFile : public ::testing::Test {
  protected:
    ExtensionFile() {
        recording::Reset();
        recording::JoystickAt(0).caps.numButtons = 12;
        profile.SetUpDevice();
    }
    LoadResult LoadFile(const std::vector<uint8_t>& bytes, const std::string& name = "Pad") {
        recording::Files()[PathOf(name)] = bytes;
        return profile.Load(name);
    }
    JoystickProfile profile{Context, 0};
};

TEST_F(ExtensionFile, FollowsTheShiftButtonAndComesBackWhole) {
    const StoredProfile sample = Sample(true);
    const std::vector<uint8_t> bytes = EncodeProfile(sample, 12);
    const size_t classic = ProfileFileSize(12, 3);
    const uint32_t length = 4 + 160 + 20 * 3;
    ASSERT_EQ(bytes.size(), classic + 8 + length);
    const std::vector<uint8_t> head = {'Q', 'V', 'X', '1', length & 0xFF, length >> 8, 0, 0,
                                       4,   0,   0,   0};  // Stick 2 axes: Z and V
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + classic, bytes.begin() + classic + 12), head);
    // Column 2 (shifted modifiers), D-pad Left: entry 2 * 10 + 3.
    EXPECT_EQ(bytes[classic + 12 + 4 * 23], 1);
    // The shifted slot of D-pad Left: slot 10 + 3 of the extension's 20.
    EXPECT_EQ(bytes[classic + 12 + 160 + 13 * 3], 'a');

    ASSERT_EQ(LoadFile(bytes), LoadResult::Loaded);
    EXPECT_TRUE(profile.stored == sample);
    profile.modified = true;
    ASSERT_EQ(profile.Save(), SaveResult::Saved);
    EXPECT_EQ(recording::Files().at(PathOf("Pad")), bytes);
}

TEST_F(ExtensionFile, AProfileUsingNoneOfItKeepsItsClassicBytes) {
    const std::vector<uint8_t> classic = EncodeProfile(Sample(false), 12);
    ASSERT_EQ(classic.size(), ProfileFileSize(12, 3));
    ASSERT_EQ(LoadFile(classic), LoadResult::Loaded);
    profile.modified = true;
    ASSERT_EQ(profile.Save(), SaveResult::Saved);
    EXPECT_EQ(recording::Files().at(PathOf("Pad")), classic);

    // Bytes another program left after the Shift Button are ignored.
    std::vector<uint8_t> trailing = classic;
    trailing.insert(trailing.end(), {'Q', 'V', 'Y', '1', 9});
    EXPECT_EQ(LoadFile(trailing), LoadResult::Loaded);
}

TEST_F(ExtensionFile, DamagedOrNewerExtensionsAreRefusedAndNeverOverwritten) {
    const std::vector<uint8_t> good = EncodeProfile(Sample(true), 12);
    const size_t classic = ProfileFileSize(12, 3);
    std::vector<uint8_t> wrongLength = good;
    wrongLength[classic + 4] += 1;
    const std::vector<uint8_t> cut(good.begin(), good.end() - 1);
    const std::vector<uint8_t> magicOnly(good.begin(), good.begin() + classic + 3);
    std::vector<uint8_t> newer = good;
    newer[classic + 3] = '2';

    ASSERT_EQ(LoadFile(EncodeProfile(Sample(false), 12)), LoadResult::Loaded);
    profile.modified = true;
    for (const auto& damaged : {wrongLength, cut, magicOnly}) {
        EXPECT_EQ(LoadFile(damaged, "Other"), LoadResult::Damaged);
    }
    EXPECT_EQ(LoadFile(newer, "Other"), LoadResult::NewerVersion);
    EXPECT_EQ(LoadMessage(LoadResult::NewerVersion, "Other", profile)->text,
              "The profile file C:\\Q\\Other.qvp was made by a newer version of Quorvel and was "
              "not loaded.\nThe joystick uses the profile Pad; the file has not been changed.");
    EXPECT_EQ(profile.profileName, "Pad");

    // A newer version's file that took the place of the profile's own is not saved over either.
    recording::Files()[PathOf("Pad")] = newer;
    EXPECT_EQ(profile.Save(), SaveResult::NewerFileKept);
    EXPECT_EQ(recording::Files().at(PathOf("Pad")), newer);
    EXPECT_TRUE(recording::WrittenPaths().empty());
    EXPECT_TRUE(profile.modified);
}

}  // namespace
