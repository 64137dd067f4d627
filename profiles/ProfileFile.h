// The profile file: pure encoding and decoding over byte buffers. The file has no header: nine
// 32-bit little-endian fields, the four action-table columns and the two text blocks for events
// 1..N+4, then the Shift Button.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/ActionVocabulary.h"
#include "engine/StoredProfile.h"

// The largest MaxChars a file may hold; the editor offers 1..99.
constexpr int32_t MaxCharsLimit = 4096;

struct ProfileHeader {
    ProfileSettings settings;
    int32_t buttonCount = 0;  // N
};

enum class ProfileDecodeError {
    None,
    CutBeforeButtonCount,
    BadButtonCount,
    BadMaxChars,
    BadExtension,  // "QVX1" with the wrong length, or cut
    NewerVersion,  // "QVX" and another version character: a later program's file
};

// Size of a complete file for N buttons and MaxChars M: 40 + (N+4) * (16 + 2M).
constexpr size_t ProfileFileSize(int32_t buttonCount, int32_t maxChars) {
    return 40 + static_cast<size_t>(buttonCount + 4) * (16 + 2 * static_cast<size_t>(maxChars));
}

// Reads the fixed fields and N. A file cut before the end of N, an N outside 0..32 or a MaxChars
// outside 1..MaxCharsLimit is damaged.
ProfileDecodeError DecodeProfileHeader(const std::vector<uint8_t>& bytes, ProfileHeader& out);

// What the body of an accepted file holds. Entries and slots the file does not reach stay 0; the
// Shift Button is empty unless the file holds all four of its bytes.
struct ProfileBody {
    ActionEntries table{};
    std::optional<int32_t> shiftButton;
};
// Reads the variable parts; `text` is 72 * MaxChars bytes and is zero-filled first.
void DecodeProfileBody(const std::vector<uint8_t>& bytes, const ProfileHeader& header,
                       ProfileBody& body, uint8_t* text);

// After the Shift Button a file may hold an extension: "QVX1", its length L (4 + 160 + 20 *
// MaxChars), the second stick's axes, the entries of events 37..46 (ten per table column) and
// their 20 text slots (normal, then shifted).
struct ProfileExtension {
    bool present = false;
    int32_t stick2Axes = 0;
    std::array<int32_t, ColumnCount * ExtraEventCount> actions{};
};
// Reads the extension; `text` is 20 * MaxChars bytes and is zero-filled first. No bytes after the
// Shift Button, or bytes not beginning with "QVX": no extension, None.
ProfileDecodeError DecodeProfileExtension(const std::vector<uint8_t>& bytes,
                                          const ProfileHeader& header, ProfileExtension& out,
                                          uint8_t* text);

// The bytes of a profile file for N buttons (0..32), without extension. `text` holds 72 *
// MaxChars bytes, or is null for empty slots.
std::vector<uint8_t> EncodeProfile(const ProfileHeader& header, const ActionEntries& table,
                                   const uint8_t* text, int32_t shiftButton);
// The bytes of a stored profile's file for N buttons (0..32); the extension only when something
// in it is set, so a profile that uses none of it keeps its classic bytes.
std::vector<uint8_t> EncodeProfile(const StoredProfile& profile, int32_t buttonCount);
