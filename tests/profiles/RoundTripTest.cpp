// Whatever the program writes, it reads back unchanged: random profiles and configurations.
#include <gtest/gtest.h>

#include <random>

#include "profiles/ConfigurationFile.h"
#include "profiles/ProfileFile.h"

namespace {

std::vector<int32_t> Fields(const ProfileHeader& h) {
    const ProfileSettings& s = h.settings;
    return {s.swapY,       s.swapX,     s.progressive, s.acceleration, s.pollingDelay,
            s.sensitivity, s.threshold, s.maxChars,    h.buttonCount};
}

}  // namespace

TEST(RoundTrip, RandomProfileReadsBackUnchanged) {
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int32_t> anyValue(INT32_MIN, INT32_MAX);
    std::uniform_int_distribution<int32_t> buttons(0, MaxButtons);
    std::uniform_int_distribution<int32_t> editorMaxChars(1, 99);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 300; ++round) {
        ProfileHeader header;
        header.settings = {
            anyValue(random), anyValue(random),
            anyValue(random), anyValue(random),
            anyValue(random), anyValue(random),
            anyValue(random), round % 25 == 0 ? MaxCharsLimit : editorMaxChars(random)};
        header.buttonCount = round % 30 == 0 ? MaxButtons : buttons(random);
        const int32_t m = header.settings.maxChars;
        const int events = header.buttonCount + DirectionCount;
        // Only events 1..N+4 are stored; the rest stays 0.
        ActionEntries table{};
        std::vector<uint8_t> text(static_cast<size_t>(TextSlotCount) * m, 0);
        for (int event = 1; event <= events; ++event) {
            for (int column = 0; column < ColumnCount; ++column) {
                table[ActionIndex(column, event)] = anyValue(random);
            }
            for (Column column : {Column::Normal, Column::Shifted}) {
                for (int32_t i = 0; i < m; ++i) {
                    text[TextSlot(column, event) * m + i] = static_cast<uint8_t>(byte(random));
                }
            }
        }
        const int32_t shiftButton = anyValue(random);

        const std::vector<uint8_t> bytes = EncodeProfile(header, table, text.data(), shiftButton);
        ProfileHeader readHeader;
        ASSERT_EQ(DecodeProfileHeader(bytes, readHeader), ProfileDecodeError::None) << round;
        EXPECT_EQ(Fields(readHeader), Fields(header)) << round;
        ProfileBody body;
        std::vector<uint8_t> readText(text.size(), 0xCC);
        DecodeProfileBody(bytes, readHeader, body, readText.data());
        EXPECT_EQ(body.table, table) << round;
        EXPECT_EQ(readText, text) << round;
        EXPECT_EQ(body.shiftButton, shiftButton) << round;
    }
}

TEST(RoundTrip, RandomConfigurationReadsBackUnchanged) {
    std::mt19937 random(611);
    std::uniform_int_distribution<int32_t> anyValue(INT32_MIN, INT32_MAX);
    std::uniform_int_distribution<int> id(0, 15), count(0, 40), length(0, 300), nameByte(1, 255);
    for (int round = 0; round < 300; ++round) {
        ConfigurationData data;
        data.launchOnStartup = anyValue(random);
        data.enabledMask = static_cast<uint16_t>(anyValue(random));
        for (int r = count(random); r > 0; --r) {
            std::string name(static_cast<size_t>(length(random)), ' ');
            for (char& c : name) c = static_cast<char>(nameByte(random));
            data.records.push_back({static_cast<uint8_t>(id(random)), name});
        }
        // Keys of up to 63 bytes in half the rounds.
        for (std::string& key : data.deviceKeys) {
            if (round % 2 == 0) key.assign(static_cast<size_t>(length(random) % 64), 'k');
        }

        ConfigurationData read;
        DecodeConfiguration(EncodeConfiguration(data), read);
        EXPECT_EQ(read.launchOnStartup, data.launchOnStartup) << round;
        EXPECT_EQ(read.enabledMask, data.enabledMask) << round;
        EXPECT_EQ(read.records, data.records) << round;
        EXPECT_EQ(read.deviceKeys, data.deviceKeys) << round;
    }
}
