// Each pad keeps its record of Quorvel.cfg, with the profile and enabled bit, whatever joystick ID
// Windows gives it: at start and as pads leave and arrive.
#include <algorithm>
#include <cstring>
#include <map>

#include "app/ApplicationLogic.h"
#include "app/EnableChoice.h"
#include "app/Hotplug.h"
#include "tests/app/ShellFixture.h"

using namespace shelltest;

namespace {

using Pads = std::map<int, std::string>;  // joystick ID -> the pad's device key

class ProfilesFollowPads : public ShellTest {
  protected:
    // Quorvel.cfg with record i naming "P<i>" and remembering keys[i].
    void WriteConfiguration(const DeviceKeys& keys, uint16_t enabled = 0xFFFF) {
        ConfigurationData data;
        data.enabledMask = enabled;
        for (int id = 0; id < MaxJoysticks; ++id) {
            data.records.push_back({static_cast<uint8_t>(id), "P" + std::to_string(id)});
        }
        data.deviceKeys = keys;
        recording::Files()[ConfigPath] = EncodeConfiguration(data);
    }
    // Only these pads answer.
    void Plug(const Pads& pads) {
        for (int id = 0; id < MaxJoysticks; ++id) {
            recording::JoystickAt(id).answers = pads.count(id) != 0;
            recording::JoystickAt(id).deviceKey = pads.count(id) ? pads.at(id) : "";
        }
    }
    void StartWith(const Pads& pads) {
        Plug(pads);
        state.PresentMask = DiscoverJoysticks();
        ASSERT_TRUE(LoadConfiguration(state));
        StartJoysticks(state);
    }
    PresenceChange Rescan(const Pads& pads) {
        Plug(pads);
        return UpdatePresence(state, DiscoverJoysticks());
    }
    // The profile names of the present pads, "-" for an ID without one.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (int id = 0; id < MaxJoysticks; ++id) {
            if (!state.IsPresent(id)) continue;
            names.resize(id + 1, "-");
            names[id] = state.profiles[id]->profileName;
        }
        return names;
    }
    ConfigurationData Saved() {
        EXPECT_TRUE(SaveConfiguration(state));
        ConfigurationData data;
        DecodeConfiguration(recording::Files()[ConfigPath], data);
        return data;
    }
    static DeviceKeys Keys(std::initializer_list<const char*> first) {
        DeviceKeys keys;
        std::copy(first.begin(), first.end(), keys.begin());
        return keys;
    }
};

const char* Wheel = "VID_044F&PID_B65D";
const char* Pad = "VID_045E&PID_028E";

}  // namespace

TEST_F(ProfilesFollowPads, TwoPadsSwappingIdsAcrossARestartTakeTheirProfilesAndEnabledBits) {
    WriteConfiguration(Keys({Wheel, Pad}), 0x0001);  // the wheel polls, the pad does not
    StartWith({{0, Pad}, {1, Wheel}});
    EXPECT_EQ(Names(), (std::vector<std::string>{"P1", "P0"}));
    EXPECT_EQ(state.EnabledMask & 0x0003, 0x0002);
    EXPECT_EQ(TimerCalls(), (std::vector<recording::Call>{TimerStart(1, 50)}));

    const ConfigurationData saved = Saved();
    EXPECT_EQ(saved.records[0].profileName, "P1");
    EXPECT_EQ(saved.records[1].profileName, "P0");
    EXPECT_EQ(saved.deviceKeys, Keys({Pad, Wheel}));
    EXPECT_EQ(saved.enabledMask, 0x0002);
}

TEST_F(ProfilesFollowPads, TwoPadsSwappingIdsByLeavingAndArrivingTakeTheProfilesChosenMeanwhile) {
    WriteConfiguration(Keys({Wheel, Pad}), 0x0001);
    StartWith({{0, Wheel}, {1, Pad}});
    state.profiles[0]->profileName = "Racing";  // the user chose another profile for the wheel
    Rescan({});
    Forget();
    Rescan({{0, Pad}, {1, Wheel}});
    EXPECT_EQ(Names(), (std::vector<std::string>{"P1", "Racing"}));
    EXPECT_EQ(TimerCalls(), (std::vector<recording::Call>{TimerStart(1, 50)}));
    EXPECT_EQ(Saved().records[1].profileName, "Racing");
}

TEST_F(ProfilesFollowPads, AWirelessPadComingBackAfterAnotherTookItsIdFindsItsRecord) {
    WriteConfiguration(Keys({Wheel, Pad}));
    StartWith({{0, Wheel}, {1, Pad}});
    Rescan({{1, Pad}});
    Rescan({{0, "VID_1234"}, {1, Pad}});
    EXPECT_EQ(Names(), (std::vector<std::string>{"P2", "P1"}));
    Rescan({{0, "VID_1234"}, {1, Pad}, {2, Wheel}});
    EXPECT_EQ(Names(), (std::vector<std::string>{"P2", "P1", "P0"}));
    EXPECT_EQ(Saved().deviceKeys, Keys({"VID_1234", Pad, Wheel}));
}

TEST_F(ProfilesFollowPads, IdenticalPadsStayById) {
    WriteConfiguration(Keys({Pad, Pad}));
    StartWith({{0, Pad}, {1, Pad}});
    Rescan({{1, Pad}});
    Rescan({{0, Pad}, {1, Pad}});
    EXPECT_EQ(Names(), (std::vector<std::string>{"P0", "P1"}));
}

TEST_F(ProfilesFollowPads, APadWithoutAKeyLeavesTheRecordOfAnAbsentPadForItsReturn) {
    WriteConfiguration(Keys({"", Wheel}));
    StartWith({{0, ""}, {1, ""}});
    EXPECT_EQ(Names(), (std::vector<std::string>{"P0", "P2"}));
    const ConfigurationData saved = Saved();
    EXPECT_EQ(saved.records[2].profileName, "P1");
    EXPECT_EQ(saved.deviceKeys, Keys({"", "", Wheel}));
}

TEST_F(ProfilesFollowPads, AnOlderConfigurationSeatsPadsByIdAndThenRemembersThem) {
    WriteConfiguration(DeviceKeys{});
    const std::vector<uint8_t> older = recording::Files()[ConfigPath];
    StartWith({{0, Wheel}, {3, Pad}});
    EXPECT_EQ(Names(), (std::vector<std::string>{"P0", "-", "-", "P3"}));
    ASSERT_TRUE(SaveConfiguration(state));
    std::vector<uint8_t> expected = older;
    for (const char* part : {"QVC1", Wheel, "\0", "\0", Pad}) {
        expected.insert(expected.end(), part, part + std::strlen(part));
        if (part[0] != 'Q') expected.push_back(0);
    }
    expected.insert(expected.end(), 12, 0);
    EXPECT_EQ(recording::Files()[ConfigPath], expected);
}

TEST_F(ProfilesFollowPads, ADamagedKeyListSeatsPadsById) {
    WriteConfiguration(Keys({Wheel, Pad}));
    recording::Files()[ConfigPath].pop_back();  // the sixteenth key loses its 0
    StartWith({{0, Pad}, {1, Wheel}});
    EXPECT_EQ(Names(), (std::vector<std::string>{"P0", "P1"}));
}

TEST_F(ProfilesFollowPads, SixteenPadsAllMovedOneIdUpEachFindTheirRecord) {
    DeviceKeys keys;
    Pads pads;
    for (int id = 0; id < MaxJoysticks; ++id) {
        keys[id] = "VID_" + std::to_string(id);
        pads[(id + 1) % MaxJoysticks] = keys[id];
    }
    WriteConfiguration(keys, 0x00FF);
    StartWith(pads);
    for (int id = 0; id < MaxJoysticks; ++id) {
        EXPECT_EQ(state.profiles[(id + 1) % MaxJoysticks]->profileName, "P" + std::to_string(id));
    }
    EXPECT_EQ(state.EnabledMask, 0x01FE);
}

TEST_F(ProfilesFollowPads, AKeyIsKeptToItsFirst63BytesAndFindsItsRecordAgain) {
    const std::string longKey = std::string(60, 'k') + "END";
    WriteConfiguration(Keys({"VID_0", longKey.c_str()}));
    StartWith({{0, longKey + "MORE"}});
    EXPECT_EQ(Names(), (std::vector<std::string>{"P1"}));
    EXPECT_EQ(Saved().deviceKeys[0], longKey);
}

TEST_F(ProfilesFollowPads, TheEnablingDialogsTicksFollowPadsThatSwapIdsWhileItIsOpen) {
    WriteConfiguration(Keys({Wheel, Pad}), 0x0003);
    StartWith({{0, Wheel}, {1, Pad}});
    EnableChoice choice(state);
    choice.SetTicked(0, false);  // the wheel stops
    Rescan({});
    Rescan({{0, Pad}, {1, Wheel}});
    Forget();
    choice.WriteBack(state);
    EXPECT_EQ(state.EnabledMask & 0x0003, 0x0001);
    EXPECT_EQ(TimerCalls(), (std::vector<recording::Call>{TimerStop(1)}));
}

TEST_F(ProfilesFollowPads, TheButtonDialogFollowsItsPadsRecordWhenAnotherPadTakesItsId) {
    WriteConfiguration(Keys({Wheel, Pad}));
    StartWith({{0, Wheel}, {1, Pad}});
    SetButtonDialogJoystick(state, 0);
    EXPECT_TRUE(state.profiles[0]->IsMuted());
    Rescan({{1, Pad}});                   // the wheel falls asleep
    Rescan({{0, "VID_1234"}, {1, Pad}});  // another pad takes its ID and record 2
    const int wheelNow = ButtonDialogJoystick(state);
    ASSERT_EQ(wheelNow, 2);
    // The dialog's OK goes to the wheel's kept profile, not to the newcomer, which is not muted.
    EXPECT_EQ(state.profiles[wheelNow]->profileName, "P0");
    EXPECT_FALSE(state.profiles[0]->IsMuted());
    Rescan({{0, "VID_1234"}, {1, Pad}, {2, Wheel}});  // back where its record went
    EXPECT_EQ(ButtonDialogJoystick(state), 2);
    EXPECT_EQ(state.profiles[2]->profileName, "P0");
    EXPECT_TRUE(state.profiles[2]->IsMuted());
}
