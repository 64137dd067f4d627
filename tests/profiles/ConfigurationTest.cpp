// Quorvel.cfg: its bytes, which profiles a start creates from it, and what a save writes.
#include <gtest/gtest.h>

#include "platform/recording/RecordingPlatform.h"
#include "profiles/Configuration.h"
#include "profiles/ConfigurationFile.h"
#include "profiles/ProfileFile.h"

namespace {

const ProgramContext Context{"C:\\Q\\", PlatformWindowsNt};
const std::string ConfigPath = "C:\\Q\\Quorvel.cfg";

// Joysticks 1 (Alpha) and 4 (Beta) present, joystick 4 current, autostart on; 106 bytes:
// 7 + (2 + 4) + 3 * (2 + 5) + 12 * (2 + 4).
const std::vector<uint8_t> WorkedExampleFile = {
    1,    0,    0,   0,                 // LaunchOnStartup 1
    0x12, 0x00,                         // EnabledMask: IDs 1 and 4
    0,    'B',  'e', 't', 'a', 0,       // ID 0: below the first present one, the current name
    1,    'A',  'l', 'p', 'h', 'a', 0,  // ID 1: present
    2,    'A',  'l', 'p', 'h', 'a', 0,  // IDs 2, 3: absent, the nearest present below
    3,    'A',  'l', 'p', 'h', 'a', 0,  //
    4,    'B',  'e', 't', 'a', 0,       // ID 4: present
    5,    'B',  'e', 't', 'a', 0,       // IDs 5 to 15: absent
    6,    'B',  'e', 't', 'a', 0,       //
    7,    'B',  'e', 't', 'a', 0,       //
    8,    'B',  'e', 't', 'a', 0,       //
    9,    'B',  'e', 't', 'a', 0,       //
    10,   'B',  'e', 't', 'a', 0,       //
    11,   'B',  'e', 't', 'a', 0,       //
    12,   'B',  'e', 't', 'a', 0,       //
    13,   'B',  'e', 't', 'a', 0,       //
    14,   'B',  'e', 't', 'a', 0,       //
    15,   'B',  'e', 't', 'a', 0,       //
    16,                                 // end byte
};

// Records for IDs 0..15 in order.
std::vector<ConfigurationRecord> Sixteen(const std::vector<std::string>& names) {
    std::vector<ConfigurationRecord> records;
    for (size_t id = 0; id < names.size(); ++id) {
        records.push_back({static_cast<uint8_t>(id), names[id]});
    }
    return records;
}

void PutConfiguration(const std::vector<ConfigurationRecord>& records) {
    ConfigurationData data;
    data.launchOnStartup = 1;
    data.enabledMask = 0xFFFF;
    data.records = records;
    recording::Files()[ConfigPath] = EncodeConfiguration(data);
}

std::vector<std::string> ProfileNames(const ApplicationState& state) {
    std::vector<std::string> names;
    for (const auto& profile : state.profiles) {
        names.push_back(profile ? profile->profileName : "-");
    }
    return names;
}

std::vector<ConfigurationRecord> WrittenRecords() {
    ConfigurationData data;
    DecodeConfiguration(recording::Files()[ConfigPath], data);
    return data.records;
}

class Configuration : public ::testing::Test {
  protected:
    void SetUp() override { recording::Reset(); }
    void AddProfile(int id, const std::string& name) {
        state.PresentMask |= static_cast<uint16_t>(1u << id);
        state.profiles[id] = std::make_unique<JoystickProfile>(state.context, id);
        state.profiles[id]->profileName = name;
    }
    ApplicationState state{Context};
};

}  // namespace

TEST(ConfigurationCodec, ReadsTheFileTheProgramWrites) {
    ConfigurationData data;
    DecodeConfiguration(WorkedExampleFile, data);
    EXPECT_EQ(data.launchOnStartup, 1);
    EXPECT_EQ(data.enabledMask, 0x0012);
    EXPECT_EQ(data.records,
              Sixteen({"Beta", "Alpha", "Alpha", "Alpha", "Beta", "Beta", "Beta", "Beta", "Beta",
                       "Beta", "Beta", "Beta", "Beta", "Beta", "Beta", "Beta"}));
}

TEST(ConfigurationCodec, DefaultFileNamesDefaultForEveryIdWithEveryJoystickEnabled) {
    const std::vector<uint8_t> bytes = EncodeConfiguration(DefaultConfiguration());
    ASSERT_EQ(bytes.size(), 151u);  // 7 + 16 * (2 + 7)
    EXPECT_EQ(
        std::vector<uint8_t>(bytes.begin(), bytes.begin() + 15),
        (std::vector<uint8_t>{0, 0, 0, 0, 0xFF, 0xFF, 0, 'D', 'e', 'f', 'a', 'u', 'l', 't', 0}));
    EXPECT_EQ(bytes[141], 15);
    EXPECT_EQ(bytes.back(), 16);
}

TEST(ConfigurationCodec, RecordsComeInAnyOrderAndAnIdOf16OrMoreEndsThem) {
    for (uint8_t end : {16, 17, 255}) {
        const std::vector<uint8_t> bytes = {0, 0, 0, 0,   0, 0,   9, 'X', 0,
                                            2, 0, 9, 'Y', 0, end, 3, 'Z', 0};
        ConfigurationData data;
        DecodeConfiguration(bytes, data);
        EXPECT_EQ(data.records, (std::vector<ConfigurationRecord>{{9, "X"}, {2, ""}, {9, "Y"}}));
    }
}

TEST(ConfigurationCodec, FileCutAtEveryOffsetKeepsOnlyWholeRecords) {
    const std::vector<uint8_t> file = {
        0x01, 0x02, 0x03, 0x04,  // LaunchOnStartup 0x04030201
        0x05, 0x06,              // EnabledMask 0x0605
        2,    'A',  'b',  0,     // offsets 6..9
        5,    0,                 // offsets 10..11: an empty name
        16,                      // offset 12
    };
    // Size of the cut file -> records kept.
    const size_t kept[] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 2, 2};
    for (size_t size = 0; size <= file.size(); ++size) {
        ConfigurationData data;
        data.launchOnStartup = -1;
        data.enabledMask = 0xEEEE;
        DecodeConfiguration(std::vector<uint8_t>(file.begin(), file.begin() + size), data);
        EXPECT_EQ(data.launchOnStartup, size >= 4 ? 0x04030201 : -1) << size;
        EXPECT_EQ(data.enabledMask, size >= 6 ? 0x0605 : 0xEEEE) << size;
        EXPECT_EQ(data.records.size(), kept[size]) << size;
    }
}

// Two records, then the keys: ID 0's pad is a wheel, ID 1 remembers none, ID 15 a pad.
const std::vector<uint8_t> KeyedFile = {
    0,   0,   0,   0,   0x03, 0x00,               // LaunchOnStartup 0, EnabledMask 0x0003
    0,   'W', 0,                                  // ID 0: "W"
    1,   'P', 0,                                  // ID 1: "P"
    16,                                           // end byte
    'Q', 'V', 'C', '1',                           // the device keys follow
    'V', 'I', 'D', '_', '0',  '4',  '4', 'F', 0,  // ID 0: VID_044F
    0,   0,   0,   0,   0,    0,    0,            // IDs 1..7: none
    0,   0,   0,   0,   0,    0,    0,            // IDs 8..14: none
    'V', 'I', 'D', '_', '0',  '4',  '5', 'E', 0,  // ID 15: VID_045E
};

ConfigurationData KeyedData() {
    ConfigurationData data;
    data.enabledMask = 0x0003;
    data.records = {{0, "W"}, {1, "P"}};
    data.deviceKeys[0] = "VID_044F";
    data.deviceKeys[15] = "VID_045E";
    return data;
}

TEST(ConfigurationCodec, DeviceKeysFollowTheEndByteWhenARecordRemembersOne) {
    EXPECT_EQ(EncodeConfiguration(KeyedData()), KeyedFile);
    ConfigurationData read;
    DecodeConfiguration(KeyedFile, read);
    EXPECT_EQ(read.keyList, DeviceKeyList::Read);
    EXPECT_EQ(read.deviceKeys, KeyedData().deviceKeys);
    EXPECT_EQ(read.records, KeyedData().records);

    ConfigurationData none = KeyedData();
    none.deviceKeys = DeviceKeys{};
    EXPECT_EQ(EncodeConfiguration(none),
              std::vector<uint8_t>(KeyedFile.begin(), KeyedFile.begin() + 13));
}

TEST(ConfigurationCodec, ADamagedKeyListRemembersNothingAndTheRecordsStillCount) {
    for (size_t size = 13; size < KeyedFile.size(); ++size) {
        ConfigurationData read;
        DecodeConfiguration(std::vector<uint8_t>(KeyedFile.begin(), KeyedFile.begin() + size),
                            read);
        EXPECT_EQ(read.keyList, size < 17 ? DeviceKeyList::None : DeviceKeyList::Damaged) << size;
        EXPECT_EQ(read.deviceKeys, DeviceKeys{}) << size;
        EXPECT_EQ(read.records, KeyedData().records) << size;
    }
    std::vector<uint8_t> other = KeyedFile;
    other[16] = '2';  // QVC2: not a list of keys
    ConfigurationData read;
    DecodeConfiguration(other, read);
    EXPECT_EQ(read.keyList, DeviceKeyList::None);

    // A key may have 63 bytes, not 64; bytes after the sixteenth key are left alone.
    ConfigurationData longest = KeyedData();
    longest.deviceKeys[15] = std::string(MaxDeviceKeyLength, 'k');
    std::vector<uint8_t> bytes = EncodeConfiguration(longest);
    bytes.push_back('x');
    DecodeConfiguration(bytes, read);
    EXPECT_EQ(read.deviceKeys, longest.deviceKeys);
    bytes.insert(bytes.end() - 2, 'k');
    DecodeConfiguration(bytes, read);
    EXPECT_EQ(read.keyList, DeviceKeyList::Damaged);
    EXPECT_EQ(read.deviceKeys, DeviceKeys{});
}

TEST_F(Configuration, ProfilesAreMadeOnlyForPresentJoysticks) {
    state.PresentMask = 0x0012;
    recording::Files()[ConfigPath] = WorkedExampleFile;
    recording::Files()["C:\\Q\\Beta.qvp"] = {1, 2, 3};  // damaged, but only joystick 4 reads it

    ASSERT_TRUE(LoadConfiguration(state));
    EXPECT_EQ(state.LaunchOnStartup, 1);
    EXPECT_EQ(state.EnabledMask, 0x0012);
    // Beta.qvp is damaged: joystick 4 stands in with "Default".
    EXPECT_EQ(ProfileNames(state),
              (std::vector<std::string>{"-", "Alpha", "-", "-", "Default", "-", "-", "-", "-", "-",
                                        "-", "-", "-", "-", "-", "-"}));
    EXPECT_EQ(recording::WrittenPaths(),
              (std::vector<std::string>{"C:\\Q\\Alpha.qvp", "C:\\Q\\Default.qvp"}));
    EXPECT_TRUE(recording::Messages().empty());
    ASSERT_EQ(state.notices.size(), 1u);
    EXPECT_EQ(state.notices[0].text,
              DamagedProfileMessage("C:\\Q\\Beta.qvp", DefaultProfileName).text);
}

TEST_F(Configuration, ARefusedProfileKeepsItsRecordUntilTheUserChoosesAnother) {
    state.PresentMask = 0x0001;
    PutConfiguration({{0, "Broken"}});
    const std::vector<uint8_t> broken(40, 0xFF);  // N = -1
    recording::Files()["C:\\Q\\Broken.qvp"] = broken;
    ASSERT_TRUE(LoadConfiguration(state));
    JoystickProfile& profile = *state.profiles[0];
    EXPECT_EQ(profile.profileName, DefaultProfileName);

    // Edits of the stand-in go to Default.qvp; Quorvel.cfg still names Broken for joystick 1, so
    // a repaired file comes back at the next start.
    profile.stored.settings.threshold = 2000;
    profile.modified = true;
    EXPECT_EQ(profile.Save(), SaveResult::Saved);
    ASSERT_TRUE(SaveConfiguration(state));
    ConfigurationData data;
    DecodeConfiguration(recording::Files().at(ConfigPath), data);
    EXPECT_EQ(data.records[0].profileName, "Broken");
    EXPECT_EQ(recording::Files().at("C:\\Q\\Broken.qvp"), broken);
}

TEST_F(Configuration, WithTheProfileAndDefaultBothRefusedTheJoystickRunsOnBuiltInSettings) {
    state.PresentMask = 0x0001;
    PutConfiguration({{0, "Broken"}});
    const std::vector<uint8_t> broken(40, 0xFF);  // N = -1
    recording::Files()["C:\\Q\\Broken.qvp"] = broken;
    recording::Files()["C:\\Q\\Default.qvp"] = broken;
    ASSERT_TRUE(LoadConfiguration(state));
    JoystickProfile& profile = *state.profiles[0];
    EXPECT_EQ(profile.Settings(), ProfileSettings{});
    ASSERT_EQ(state.notices.size(), 2u);
    EXPECT_EQ(state.notices[0].text, DamagedProfileMessage("C:\\Q\\Broken.qvp", "").text);
    EXPECT_EQ(state.notices[1].text, DamagedProfileMessage("C:\\Q\\Default.qvp", "").text);

    // An edit cannot be saved, and the user is told so; Quorvel.cfg keeps naming Broken.
    profile.stored.settings.threshold = 2000;
    profile.modified = true;
    const SaveResult saved = profile.Save();
    EXPECT_EQ(saved, SaveResult::NoFile);
    EXPECT_EQ(SaveMessage(saved, profile.FilePath())->text,
              "Couldn't save settings\nThe file C:\\Q\\Broken.qvp could not be loaded and is "
              "kept as it is; choose or add a profile to keep these settings.");
    ASSERT_TRUE(SaveConfiguration(state));
    EXPECT_EQ(WrittenRecords()[0].profileName, "Broken");
    EXPECT_EQ(recording::WrittenPaths(), std::vector<std::string>{ConfigPath});
}

TEST_F(Configuration, RecordsOfAbsentJoysticksLeaveTheirProfileFilesAlone) {
    state.PresentMask = 0x0002;
    PutConfiguration({{2, "Two"}, {0, "Zero"}, {1, "One"}});
    recording::Files()["C:\\Q\\Two.qvp"] = {1, 2, 3};

    ASSERT_TRUE(LoadConfiguration(state));
    EXPECT_EQ(state.profiles[1]->profileName, "One");
    EXPECT_FALSE(state.profiles[0] || state.profiles[2]);
    EXPECT_EQ(recording::WrittenPaths(), std::vector<std::string>{"C:\\Q\\One.qvp"});
    EXPECT_TRUE(recording::Messages().empty());
}

TEST_F(Configuration, LaterRecordForAnIdDecidesAfterBothFilesWereLoaded) {
    state.PresentMask = 0x0001;
    PutConfiguration({{0, "First"}, {0, "Second"}});
    ProfileHeader header;
    header.settings.pollingDelay = 80;
    header.buttonCount = 32;
    recording::Files()["C:\\Q\\Second.qvp"] = EncodeProfile(header, ActionEntries{}, nullptr, 0);

    ASSERT_TRUE(LoadConfiguration(state));
    EXPECT_EQ(state.profiles[0]->profileName, "Second");
    EXPECT_EQ(state.profiles[0]->stored.settings.pollingDelay, 80);
    EXPECT_EQ(recording::WrittenPaths(), std::vector<std::string>{"C:\\Q\\First.qvp"});
}

TEST_F(Configuration, PresentJoystickWithoutRecordGetsDefault) {
    state.PresentMask = 0x0005;
    PutConfiguration({{2, "Two"}});
    ASSERT_TRUE(LoadConfiguration(state));
    EXPECT_EQ(state.profiles[0]->profileName, "Default");
    EXPECT_EQ(state.profiles[2]->profileName, "Two");
}

TEST_F(Configuration, MissingOrUnreadableFileChangesNothing) {
    state.PresentMask = 0x0003;
    state.LaunchOnStartup = 1;
    state.EnabledMask = 0x00F0;
    EXPECT_FALSE(LoadConfiguration(state));
    recording::UnreadableFiles().insert(ConfigPath);
    recording::Files()[ConfigPath] = WorkedExampleFile;
    EXPECT_FALSE(LoadConfiguration(state));

    EXPECT_EQ(state.LaunchOnStartup, 1);
    EXPECT_EQ(state.EnabledMask, 0x00F0);
    EXPECT_EQ(ProfileNames(state), std::vector<std::string>(16, "-"));
    EXPECT_TRUE(recording::Calls().empty());
}

TEST(ConfigurationNames, UnusableNameNamesNoProfile) {
    const std::string unusable[] = {
        "a\\b", "a/b",       "C:x",  "a*",
        "a?",   "a\"b",      "<a",   "a>",
        "a|b",  "tab\there", "\x01", "\x1F",
        "\x7F", "",          "   ",  std::string(247, 'n'),  // 5 + 247 + 4 > 255
    };
    for (const std::string& name : unusable) {
        recording::Reset();
        ApplicationState state(Context);
        state.PresentMask = 0x0003;
        PutConfiguration({{0, name}, {1, "Kept"}, {1, name}});

        ASSERT_TRUE(LoadConfiguration(state));
        EXPECT_EQ(state.profiles[0]->profileName, "Default") << name;
        EXPECT_EQ(state.profiles[1]->profileName, "Kept") << name;
        EXPECT_EQ(recording::WrittenPaths(),
                  (std::vector<std::string>{"C:\\Q\\Kept.qvp", "C:\\Q\\Default.qvp"}))
            << name;
    }
}

TEST_F(Configuration, NameFillingThePathLimitIsUsed) {
    const std::string longest(246, 'n');  // 5 + 246 + 4 = 255
    state.PresentMask = 0x0001;
    PutConfiguration({{0, longest}});
    ASSERT_TRUE(LoadConfiguration(state));
    EXPECT_EQ(state.profiles[0]->profileName, longest);
    EXPECT_EQ(recording::WrittenPaths(), std::vector<std::string>{"C:\\Q\\" + longest + ".qvp"});
}

TEST(ConfigurationCut, FileCutAnywhereGivesEveryPresentJoystickAWholeName) {
    for (size_t size = 0; size <= WorkedExampleFile.size(); ++size) {
        recording::Reset();
        ApplicationState state(Context);
        state.PresentMask = 0xFFFF;
        recording::Files()[ConfigPath].assign(WorkedExampleFile.begin(),
                                              WorkedExampleFile.begin() + size);
        ASSERT_TRUE(LoadConfiguration(state));
        bool defaultSeen = false;
        for (int id = 0; id < MaxJoysticks; ++id) {
            ASSERT_TRUE(state.profiles[id]) << size;
            const std::string& name = state.profiles[id]->profileName;
            // The records a cut keeps are the first ones; the rest fall back to Default.
            if (name == "Default") {
                defaultSeen = true;
            } else {
                EXPECT_FALSE(defaultSeen) << size;
                EXPECT_EQ(name, (id >= 1 && id <= 3) ? "Alpha" : "Beta") << size;
            }
        }
        EXPECT_EQ(defaultSeen, size < WorkedExampleFile.size() - 1) << size;
    }
}

TEST_F(Configuration, CutInsideANameDropsThatRecord) {
    state.PresentMask = 0x0003;
    recording::Files()[ConfigPath].assign(WorkedExampleFile.begin(),
                                          WorkedExampleFile.begin() + 15);
    ASSERT_TRUE(LoadConfiguration(state));  // ends after "Al" of ID 1's "Alpha"
    EXPECT_EQ(state.profiles[0]->profileName, "Beta");
    EXPECT_EQ(state.profiles[1]->profileName, "Default");
}

TEST_F(Configuration, SaveWritesTheNearestPresentNameBelowAndCurrentBelowTheFirst) {
    AddProfile(1, "Alpha");
    AddProfile(4, "Beta");
    state.CurrentJoystick = 4;
    state.LaunchOnStartup = 1;
    state.EnabledMask = 0x0012;
    ASSERT_TRUE(SaveConfiguration(state));
    EXPECT_EQ(recording::Files()[ConfigPath], WorkedExampleFile);
}

TEST_F(Configuration, SaveWithJoysticks0And2PresentNamesProfile0ForId1AndProfile2Above) {
    AddProfile(0, "Zero");
    AddProfile(2, "Two");
    state.CurrentJoystick = 2;
    ASSERT_TRUE(SaveConfiguration(state));
    EXPECT_EQ(WrittenRecords(), Sixteen({"Zero", "Zero", "Two", "Two", "Two", "Two", "Two", "Two",
                                         "Two", "Two", "Two", "Two", "Two", "Two", "Two", "Two"}));
}

TEST_F(Configuration, AbsentJoysticksKeepTheNamesTheFileGaveThem) {
    state.PresentMask = 0x0012;
    PutConfiguration({{0, "Zero"}, {1, "One"}, {4, "Four"}, {7, "Seven"}, {9, "bad|name"}});
    ASSERT_TRUE(LoadConfiguration(state));
    state.profiles[1]->profileName = "Alpha";  // the user chose another profile for joystick 2
    state.CurrentJoystick = 4;
    ASSERT_TRUE(SaveConfiguration(state));
    EXPECT_EQ(WrittenRecords(),
              Sixteen({"Zero", "Alpha", "Alpha", "Alpha", "Four", "Four", "Four", "Seven", "Four",
                       "Four", "Four", "Four", "Four", "Four", "Four", "Four"}));

    // The next start finds joystick 8 plugged in again, with its own profile.
    ApplicationState next(Context);
    next.PresentMask = 0x0080;
    ASSERT_TRUE(LoadConfiguration(next));
    EXPECT_EQ(next.profiles[7]->profileName, "Seven");
}

TEST_F(Configuration, SaveWithNoJoystickPresentWritesDefaultForIdsTheFileDidNotName) {
    PutConfiguration({{3, "Three"}});
    ASSERT_TRUE(LoadConfiguration(state));
    ASSERT_TRUE(SaveConfiguration(state));
    EXPECT_EQ(WrittenRecords(),
              Sixteen({"Default", "Default", "Default", "Three", "Default", "Default", "Default",
                       "Default", "Default", "Default", "Default", "Default", "Default", "Default",
                       "Default", "Default"}));
}

TEST_F(Configuration, FailedSaveReportsFalseAndKeepsTheOldFile) {
    AddProfile(0, "Pad");
    recording::Files()[ConfigPath] = WorkedExampleFile;
    recording::SetFailWrites(true);
    EXPECT_FALSE(SaveConfiguration(state));
    EXPECT_EQ(recording::Files()[ConfigPath], WorkedExampleFile);
}
