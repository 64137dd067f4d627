// The profile file codec: golden files, sizes and offsets, round trips, cut and damaged files.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "profiles/ProfileFile.h"

namespace {

struct Decoded {
    ProfileDecodeError error = ProfileDecodeError::None;
    ProfileHeader header;
    ProfileBody body;
    std::vector<uint8_t> text;  // exactly 72 * MaxChars bytes, so ASan sees any overrun
};

Decoded Decode(const std::vector<uint8_t>& bytes) {
    Decoded d;
    d.error = DecodeProfileHeader(bytes, d.header);
    if (d.error != ProfileDecodeError::None) return d;
    d.text.assign(72 * static_cast<size_t>(d.header.settings.maxChars), 0xCC);
    DecodeProfileBody(bytes, d.header, d.body, d.text.data());
    return d;
}

ProfileHeader Header(int32_t buttons, int32_t maxChars) {
    ProfileHeader header;
    header.settings.maxChars = maxChars;
    header.buttonCount = buttons;
    return header;
}

// A file with no buttons and MaxChars 2: 40 + 4 * (16 + 2 * 2) = 120 bytes.
const std::vector<uint8_t> NoButtonFile = {
    0x01, 0x00, 0x00, 0x00,  // 0   Swap Y axis 1
    0x00, 0x00, 0x00, 0x00,  // 4   Swap X axis 0
    0x01, 0x00, 0x00, 0x00,  // 8   Progressive action 1
    0x32, 0x00, 0x00, 0x00,  // 12  Acceleration 50
    0xE8, 0x03, 0x00, 0x00,  // 16  Polling Delay 1000
    0x10, 0x27, 0x00, 0x00,  // 20  Sensitivity 10000
    0x30, 0x75, 0x00, 0x00,  // 24  Threshold 30000
    0x02, 0x00, 0x00, 0x00,  // 28  MaxChars 2
    0x00, 0x00, 0x00, 0x00,  // 32  N 0
    0x01, 0x00, 0x00, 0x00,  // 36  normal modifier, Up: 1 (Move Mouse)
    0x02, 0x00, 0x00, 0x00,  // 40  normal modifier, Right: 2
    0x08, 0x00, 0x00, 0x00,  // 44  normal modifier, Down: 8
    0x00, 0x00, 0x00, 0x00,  // 48  normal modifier, Left: 0
    0x00, 0x00, 0x00, 0x00,  // 52  normal key, Up: 0
    0x2D, 0x00, 0x00, 0x00,  // 56  normal key, Right: 45 (F12)
    0x05, 0x00, 0x00, 0x00,  // 60  normal key, Down: 5
    0xFF, 0xFF, 0xFF, 0xFF,  // 64  normal key, Left: -1
    0x00, 0x00, 0x00, 0x00,  // 68  shifted modifier, Up: 0
    0x00, 0x00, 0x00, 0x00,  // 72  shifted modifier, Right: 0
    0x78, 0x56, 0x34, 0x12,  // 76  shifted modifier, Down: 0x12345678
    0x01, 0x00, 0x00, 0x00,  // 80  shifted modifier, Left: 1
    0x18, 0x00, 0x00, 0x00,  // 84  shifted key, Up: 24 (Space)
    0x00, 0x00, 0x00, 0x00,  // 88  shifted key, Right: 0
    0x00, 0x00, 0x00, 0x00,  // 92  shifted key, Down: 0
    0x00, 0x01, 0x00, 0x00,  // 96  shifted key, Left: 256
    'a',  'b',               // 100 normal text, Up: "ab", full, no terminator
    'c',  0x00,              // 102 normal text, Right: "c"
    0x00, 0x00,              // 104 normal text, Down: empty
    0xE9, 'z',               // 106 normal text, Left: "\xE9z"
    0x00, 0x00,              // 108 shifted text, Up: empty
    'x',  'y',               // 110 shifted text, Right: "xy"
    0x00, 0x00,              // 112 shifted text, Down: empty
    'q',  0x00,              // 114 shifted text, Left: "q"
    0x03, 0x00, 0x00, 0x00,  // 116 Shift Button 3
};

// What NoButtonFile holds, in memory: table index 36 * column + event - 1, shifted text from
// byte 36 * MaxChars.
ProfileHeader NoButtonHeader() {
    ProfileHeader header;
    header.settings = {1, 0, 1, 50, 1000, 10000, 30000, 2};
    header.buttonCount = 0;
    return header;
}

ActionEntries NoButtonTable() {
    ActionEntries table{};
    table[0] = 1;
    table[1] = 2;
    table[2] = 8;
    table[37] = 45;
    table[38] = 5;
    table[39] = -1;
    table[74] = 0x12345678;
    table[75] = 1;
    table[108] = 24;
    table[111] = 256;
    return table;
}

std::vector<uint8_t> NoButtonText() {
    std::vector<uint8_t> text(144, 0);
    const uint8_t normal[] = {'a', 'b', 'c', 0, 0, 0, 0xE9, 'z'};
    const uint8_t shifted[] = {0, 0, 'x', 'y', 0, 0, 'q', 0};
    std::copy(std::begin(normal), std::end(normal), text.begin());
    std::copy(std::begin(shifted), std::end(shifted), text.begin() + 72);
    return text;
}

// Nonzero entries and text bytes for every event of a file with `buttons` buttons.
void FillEvents(int32_t buttons, int32_t maxChars, ActionEntries& table,
                std::vector<uint8_t>& text) {
    table.fill(0);
    text.assign(72 * static_cast<size_t>(maxChars), 0);
    uint32_t seed = 12345;
    for (int column = 0; column < 4; ++column) {
        for (int event = 1; event <= buttons + 4; ++event) {
            seed = seed * 1103515245u + 12345u;
            table[36 * column + event - 1] = static_cast<int32_t>(seed | 1u);
        }
    }
    for (int block = 0; block < 2; ++block) {
        for (int i = 0; i < (buttons + 4) * maxChars; ++i) {
            seed = seed * 1103515245u + 12345u;
            text[static_cast<size_t>(block * 36 * maxChars + i)] =
                static_cast<uint8_t>((seed >> 16) | 1u);
        }
    }
}

uint32_t Le32At(const std::vector<uint8_t>& bytes, size_t offset) {
    return uint32_t{bytes[offset]} | uint32_t{bytes[offset + 1]} << 8 |
           uint32_t{bytes[offset + 2]} << 16 | uint32_t{bytes[offset + 3]} << 24;
}

// The nine fixed fields alone, with N and MaxChars as given.
std::vector<uint8_t> HeaderBytes(int32_t buttons, int32_t maxChars) {
    std::vector<uint8_t> bytes = EncodeProfile(Header(0, 2), ActionEntries{}, nullptr, 0);
    for (int i = 0; i < 4; ++i) {
        bytes[28 + i] = static_cast<uint8_t>(static_cast<uint32_t>(maxChars) >> (8 * i));
        bytes[32 + i] = static_cast<uint8_t>(static_cast<uint32_t>(buttons) >> (8 * i));
    }
    bytes.resize(36);
    return bytes;
}

}  // namespace

TEST(ProfileFileLayout, NoButtonFileDecodesFieldByFieldInLittleEndian) {
    const Decoded d = Decode(NoButtonFile);
    ASSERT_EQ(d.error, ProfileDecodeError::None);
    const ProfileSettings& s = d.header.settings;
    EXPECT_EQ(s.swapY, 1);
    EXPECT_EQ(s.swapX, 0);
    EXPECT_EQ(s.progressive, 1);
    EXPECT_EQ(s.acceleration, 50);
    EXPECT_EQ(s.pollingDelay, 1000);
    EXPECT_EQ(s.sensitivity, 10000);
    EXPECT_EQ(s.threshold, 30000);
    EXPECT_EQ(s.maxChars, 2);
    EXPECT_EQ(d.header.buttonCount, 0);
    EXPECT_EQ(d.body.table, NoButtonTable());
    EXPECT_EQ(d.text, NoButtonText());
    EXPECT_EQ(d.body.shiftButton, 3);
}

TEST(ProfileFileLayout, NoButtonProfileEncodesToTheGoldenBytes) {
    const std::vector<uint8_t> text = NoButtonText();
    EXPECT_EQ(EncodeProfile(NoButtonHeader(), NoButtonTable(), text.data(), 3), NoButtonFile);
}

TEST(ProfileFileLayout, TwelveButtonsWithTwoCharsMakeA360ByteFile) {
    ActionEntries table{};
    std::vector<uint8_t> text(144, 0);
    table[1 * 36 + 15] = 0x11223344;  // normal key of button 12 (event 16)
    table[3 * 36 + 15] = 0x55667788;  // shifted key of button 12
    text[2 * 15] = 'k';               // normal text of button 12
    text[72 + 2 * 15 + 1] = 'm';      // shifted text of button 12, second byte
    const std::vector<uint8_t> bytes = EncodeProfile(Header(12, 2), table, text.data(), 7);

    ASSERT_EQ(bytes.size(), 360u);
    EXPECT_EQ(Le32At(bytes, 32), 12u);
    // Columns of 16 entries start at 36, 100, 164 and 228.
    EXPECT_EQ(Le32At(bytes, 100 + 4 * 15), 0x11223344u);
    EXPECT_EQ(Le32At(bytes, 228 + 4 * 15), 0x55667788u);
    // The text blocks of 16 slots start at 292 and 324; the Shift Button is the last field.
    EXPECT_EQ(bytes[292 + 30], 'k');
    EXPECT_EQ(bytes[324 + 31], 'm');
    EXPECT_EQ(Le32At(bytes, 356), 7u);
}

TEST(ProfileFileLayout, ThirtyTwoButtonsWithTwoCharsMakeA760ByteFile) {
    ActionEntries table{};
    std::vector<uint8_t> text(144, 0);
    table[0 * 36 + 35] = 4;  // normal modifier of button 32 (event 36)
    table[3 * 36 + 35] = 9;  // shifted key of button 32
    text[72 + 70] = 'w';     // shifted text of button 32
    text[72 + 71] = 'v';
    const std::vector<uint8_t> bytes = EncodeProfile(Header(32, 2), table, text.data(), 32);

    ASSERT_EQ(bytes.size(), 760u);
    EXPECT_EQ(Le32At(bytes, 32), 32u);
    // Columns of 36 entries start at 36, 180, 324 and 468; text blocks at 612 and 684.
    EXPECT_EQ(Le32At(bytes, 36 + 4 * 35), 4u);
    EXPECT_EQ(Le32At(bytes, 468 + 4 * 35), 9u);
    EXPECT_EQ(bytes[684 + 70], 'w');
    EXPECT_EQ(bytes[684 + 71], 'v');
    EXPECT_EQ(Le32At(bytes, 756), 32u);
}

TEST(ProfileFileLayout, EntriesAndSlotsAboveTheButtonCountAreNotStored) {
    ActionEntries table{};
    std::vector<uint8_t> text(144, 0);
    table[1 * 36 + 6] = 23;  // button 3 (event 7): beyond a two-button file
    table[1 * 36 + 5] = 24;  // button 2 (event 6): stored
    text[2 * 6] = 'p';       // normal text of button 3
    text[72 + 2 * 6] = 'r';  // shifted text of button 3
    const Decoded d = Decode(EncodeProfile(Header(2, 2), table, text.data(), 0));

    ASSERT_EQ(d.error, ProfileDecodeError::None);
    ActionEntries expected{};
    expected[1 * 36 + 5] = 24;
    EXPECT_EQ(d.body.table, expected);
    EXPECT_EQ(d.text, std::vector<uint8_t>(144, 0));
}

TEST(ProfileFileRoundTrip, EveryButtonCountAndTextWidthSurvivesEncodeThenDecode) {
    const struct {
        int32_t buttons, maxChars;
    } cases[] = {{0, 1}, {1, 2}, {12, 2}, {31, 99}, {32, 2}, {32, 4096}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.buttons << " buttons, MaxChars " << c.maxChars);
        ProfileHeader header;
        header.settings = {0, 1, 0, 7, 250, 123, 4567, c.maxChars};
        header.buttonCount = c.buttons;
        ActionEntries table;
        std::vector<uint8_t> text;
        FillEvents(c.buttons, c.maxChars, table, text);

        const std::vector<uint8_t> bytes = EncodeProfile(header, table, text.data(), -5);
        EXPECT_EQ(bytes.size(), ProfileFileSize(c.buttons, c.maxChars));
        const Decoded d = Decode(bytes);
        ASSERT_EQ(d.error, ProfileDecodeError::None);
        EXPECT_EQ(d.header.settings.threshold, 4567);
        EXPECT_EQ(d.header.settings.maxChars, c.maxChars);
        EXPECT_EQ(d.header.buttonCount, c.buttons);
        EXPECT_EQ(d.body.table, table);
        EXPECT_EQ(d.text, text);
        EXPECT_EQ(d.body.shiftButton, -5);
    }
}

TEST(ProfileFileRoundTrip, AMissingTextBufferIsWrittenAsEmptySlots) {
    const Decoded d = Decode(EncodeProfile(Header(3, 4), ActionEntries{}, nullptr, 0));
    ASSERT_EQ(d.error, ProfileDecodeError::None);
    EXPECT_EQ(d.text, std::vector<uint8_t>(288, 0));
}

TEST(ProfileFileRoundTrip, BytesAfterTheShiftButtonAreIgnored) {
    std::vector<uint8_t> bytes = NoButtonFile;
    bytes.insert(bytes.end(), {0x09, 0x00, 0x00, 0x00, 0xAA});
    const Decoded d = Decode(bytes);
    ASSERT_EQ(d.error, ProfileDecodeError::None);
    EXPECT_EQ(d.body.shiftButton, 3);
    EXPECT_EQ(d.body.table, NoButtonTable());
}

TEST(CutProfileFile, EndingBeforeTheButtonCountIsDamaged) {
    for (size_t size = 0; size < 36; ++size) {
        SCOPED_TRACE(size);
        const std::vector<uint8_t> cut(NoButtonFile.begin(), NoButtonFile.begin() + size);
        ProfileHeader header;
        EXPECT_EQ(DecodeProfileHeader(cut, header), ProfileDecodeError::CutBeforeButtonCount);
    }
}

// A twelve-button file with MaxChars 2 cut at every length from 36 to 360: whole entries and
// text bytes before the cut are read, everything after it is 0, and the Shift Button is there
// only when all four of its bytes are.
TEST(CutProfileFile, EndingAfterTheButtonCountKeepsWhatItReachesAndZeroesTheRest) {
    ActionEntries table;
    std::vector<uint8_t> text;
    FillEvents(12, 2, table, text);
    const std::vector<uint8_t> full = EncodeProfile(Header(12, 2), table, text.data(), 9);
    ASSERT_EQ(full.size(), 360u);
    const size_t columnStart[] = {36, 100, 164, 228};
    const size_t textStart[] = {292, 324};

    for (size_t size = 36; size <= 360; ++size) {
        SCOPED_TRACE(size);
        const Decoded d = Decode(std::vector<uint8_t>(full.begin(), full.begin() + size));
        ASSERT_EQ(d.error, ProfileDecodeError::None);
        EXPECT_EQ(d.header.buttonCount, 12);
        for (int column = 0; column < 4; ++column) {
            for (int event = 1; event <= 36; ++event) {
                const size_t index = static_cast<size_t>(36 * column + event - 1);
                const bool whole = event <= 16 && columnStart[column] + 4 * event <= size;
                ASSERT_EQ(d.body.table[index], whole ? table[index] : 0)
                    << "column " << column << ", event " << event;
            }
        }
        for (int block = 0; block < 2; ++block) {
            for (size_t i = 0; i < 72; ++i) {
                const size_t at = static_cast<size_t>(block) * 72 + i;
                const bool reached = i < 32 && textStart[block] + i < size;
                ASSERT_EQ(d.text[at], reached ? text[at] : 0)
                    << "block " << block << ", byte " << i;
            }
        }
        EXPECT_EQ(d.body.shiftButton.has_value(), size == 360);
    }
}

TEST(DamagedProfileFile, ButtonCountOutside0To32IsRefused) {
    for (int32_t buttons : {-1, 33, 36, 0x7FFFFFFF, static_cast<int32_t>(0x80000000)}) {
        SCOPED_TRACE(buttons);
        ProfileHeader header;
        EXPECT_EQ(DecodeProfileHeader(HeaderBytes(buttons, 2), header),
                  ProfileDecodeError::BadButtonCount);
    }
    for (int32_t buttons : {0, 32}) {
        SCOPED_TRACE(buttons);
        ProfileHeader header;
        EXPECT_EQ(DecodeProfileHeader(HeaderBytes(buttons, 2), header), ProfileDecodeError::None);
    }
}

TEST(DamagedProfileFile, MaxCharsOutside1To4096IsRefused) {
    for (int32_t maxChars : {0, -1, 4097, static_cast<int32_t>(0x80000000)}) {
        SCOPED_TRACE(maxChars);
        ProfileHeader header;
        EXPECT_EQ(DecodeProfileHeader(HeaderBytes(12, maxChars), header),
                  ProfileDecodeError::BadMaxChars);
    }
    for (int32_t maxChars : {1, 4096}) {
        SCOPED_TRACE(maxChars);
        ProfileHeader header;
        EXPECT_EQ(DecodeProfileHeader(HeaderBytes(12, maxChars), header), ProfileDecodeError::None);
    }
}

TEST(DamagedProfileFile, WidestAcceptedHeaderWithNoBodyDecodesToEmptyMappings) {
    const Decoded d = Decode(HeaderBytes(32, 4096));
    ASSERT_EQ(d.error, ProfileDecodeError::None);
    EXPECT_EQ(d.body.table, ActionEntries{});
    EXPECT_EQ(d.text, std::vector<uint8_t>(72 * 4096, 0));
    EXPECT_FALSE(d.body.shiftButton.has_value());
}
