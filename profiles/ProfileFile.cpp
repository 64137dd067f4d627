// Encoding and decoding of profile files.
#include "profiles/ProfileFile.h"

#include <algorithm>
#include <cstring>

#include "profiles/ByteOrder.h"

namespace {

constexpr size_t ButtonCountOffset = 32;
constexpr size_t ColumnsOffset = 36;
constexpr char ExtensionMagic[] = "QVX1";
constexpr size_t MagicLength = 4, VersionAt = 3;
// The extension's length field counts the axes field, the entries and the text slots.
constexpr size_t ExtensionLength(int32_t maxChars) {
    return 4 + 4 * ColumnCount * ExtraEventCount +
           static_cast<size_t>(ExtraTextSlotCount) * static_cast<size_t>(maxChars);
}

// Copies what the file holds of [offset, offset + length) to `out`; returns the bytes copied.
size_t CopyAvailable(const std::vector<uint8_t>& bytes, size_t offset, size_t length,
                     uint8_t* out) {
    if (offset >= bytes.size()) return 0;
    const size_t available = std::min(length, bytes.size() - offset);
    std::memcpy(out, bytes.data() + offset, available);
    return available;
}

}  // namespace

ProfileDecodeError DecodeProfileHeader(const std::vector<uint8_t>& bytes, ProfileHeader& out) {
    if (bytes.size() < ButtonCountOffset + 4) return ProfileDecodeError::CutBeforeButtonCount;
    int32_t fields[9];
    for (size_t i = 0; i < 9; ++i) fields[i] = static_cast<int32_t>(ReadLe32(&bytes[4 * i]));
    ProfileSettings& s = out.settings;
    s.swapY = fields[0];
    s.swapX = fields[1];
    s.progressive = fields[2];
    s.acceleration = fields[3];
    s.pollingDelay = fields[4];
    s.sensitivity = fields[5];
    s.threshold = fields[6];
    s.maxChars = fields[7];
    out.buttonCount = fields[8];
    if (out.buttonCount < 0 || out.buttonCount > MaxButtons) {
        return ProfileDecodeError::BadButtonCount;
    }
    if (s.maxChars < 1 || s.maxChars > MaxCharsLimit) return ProfileDecodeError::BadMaxChars;
    return ProfileDecodeError::None;
}

void DecodeProfileBody(const std::vector<uint8_t>& bytes, const ProfileHeader& header,
                       ProfileBody& body, uint8_t* text) {
    const size_t events = static_cast<size_t>(header.buttonCount) + DirectionCount;
    const size_t m = static_cast<size_t>(header.settings.maxChars);
    size_t offset = ColumnsOffset;

    body.table.fill(0);
    for (int column = 0; column < ColumnCount; ++column) {
        for (size_t i = 0; i < events; ++i, offset += 4) {
            // An entry cut by the end of the file stays 0.
            if (offset + 4 > bytes.size()) continue;
            body.table[EventCount * column + i] = static_cast<int32_t>(ReadLe32(&bytes[offset]));
        }
    }
    std::memset(text, 0, TextSlotCount * m);
    CopyAvailable(bytes, offset, m * events, text);
    offset += m * events;
    CopyAvailable(bytes, offset, m * events, text + EventCount * m);
    offset += m * events;
    body.shiftButton.reset();
    if (offset + 4 <= bytes.size())
        body.shiftButton = static_cast<int32_t>(ReadLe32(&bytes[offset]));
}

std::vector<uint8_t> EncodeProfile(const ProfileHeader& header, const ActionEntries& table,
                                   const uint8_t* text, int32_t shiftButton) {
    const ProfileSettings& s = header.settings;
    const size_t events = static_cast<size_t>(header.buttonCount) + DirectionCount;
    const size_t m = static_cast<size_t>(s.maxChars);
    std::vector<uint8_t> out;
    out.reserve(ProfileFileSize(header.buttonCount, s.maxChars));
    for (int32_t field : {s.swapY, s.swapX, s.progressive, s.acceleration, s.pollingDelay,
                          s.sensitivity, s.threshold, s.maxChars, header.buttonCount}) {
        AppendLe32(out, static_cast<uint32_t>(field));
    }
    for (int column = 0; column < ColumnCount; ++column) {
        for (size_t i = 0; i < events; ++i) {
            AppendLe32(out, static_cast<uint32_t>(table[EventCount * column + i]));
        }
    }
    for (size_t block = 0; block < 2; ++block) {
        if (text == nullptr) {
            out.insert(out.end(), m * events, 0);
        } else {
            const uint8_t* start = text + block * EventCount * m;
            out.insert(out.end(), start, start + m * events);
        }
    }
    AppendLe32(out, static_cast<uint32_t>(shiftButton));
    return out;
}

ProfileDecodeError DecodeProfileExtension(const std::vector<uint8_t>& bytes,
                                          const ProfileHeader& header, ProfileExtension& out,
                                          uint8_t* text) {
    const int32_t m = header.settings.maxChars;
    std::memset(text, 0, static_cast<size_t>(ExtraTextSlotCount) * m);
    out = {};
    size_t offset = ProfileFileSize(header.buttonCount, m);
    if (bytes.size() <= offset) return ProfileDecodeError::None;
    const size_t rest = bytes.size() - offset;
    // Bytes another program may have left there are ignored, as they always were.
    if (rest < VersionAt || std::memcmp(&bytes[offset], ExtensionMagic, VersionAt) != 0) {
        return ProfileDecodeError::None;
    }
    if (rest == VersionAt) return ProfileDecodeError::BadExtension;
    if (bytes[offset + VersionAt] != ExtensionMagic[VersionAt]) {
        return ProfileDecodeError::NewerVersion;
    }
    if (rest < MagicLength + 4) return ProfileDecodeError::BadExtension;
    const size_t length = ReadLe32(&bytes[offset + MagicLength]);
    if (length != ExtensionLength(m) || rest < MagicLength + 4 + length) {
        return ProfileDecodeError::BadExtension;
    }
    offset += MagicLength + 4;
    out.present = true;
    out.stick2Axes = static_cast<int32_t>(ReadLe32(&bytes[offset]));
    offset += 4;
    for (int32_t& entry : out.actions) {
        entry = static_cast<int32_t>(ReadLe32(&bytes[offset]));
        offset += 4;
    }
    std::memcpy(text, &bytes[offset], static_cast<size_t>(ExtraTextSlotCount) * m);
    return ProfileDecodeError::None;
}

std::vector<uint8_t> EncodeProfile(const StoredProfile& profile, int32_t buttonCount) {
    std::vector<uint8_t> out =
        EncodeProfile(ProfileHeader{profile.settings, buttonCount}, profile.ActionTable,
                      profile.CombinationText.get(), profile.shiftButton);
    if (!profile.HasExtension()) return out;
    out.insert(out.end(), ExtensionMagic, ExtensionMagic + MagicLength);
    AppendLe32(out, static_cast<uint32_t>(ExtensionLength(profile.settings.maxChars)));
    AppendLe32(out, static_cast<uint32_t>(profile.stick2Axes));
    for (int32_t entry : profile.extraActions) AppendLe32(out, static_cast<uint32_t>(entry));
    if (profile.extraText) {
        out.insert(out.end(), profile.extraText.get(),
                   profile.extraText.get() + profile.ExtraTextBytes());
    } else {
        out.insert(out.end(), profile.ExtraTextBytes(), 0);
    }
    return out;
}
