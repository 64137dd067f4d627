// Equality of stored profiles and their text buffers.
#include "engine/StoredProfile.h"

#include <algorithm>
#include <cstring>
#include <new>

bool ProfileSettings::operator==(const ProfileSettings& other) const {
    return swapY == other.swapY && swapX == other.swapX && progressive == other.progressive &&
           acceleration == other.acceleration && pollingDelay == other.pollingDelay &&
           sensitivity == other.sensitivity && threshold == other.threshold &&
           maxChars == other.maxChars;
}

namespace {

bool TextsEqual(const uint8_t* a, const uint8_t* b, size_t bytes) {
    if (a && b) return std::memcmp(a, b, bytes) == 0;
    const uint8_t* present = a ? a : b;
    return !present || std::all_of(present, present + bytes, [](uint8_t c) { return c == 0; });
}

}  // namespace

bool StoredProfile::operator==(const StoredProfile& other) const {
    return settings == other.settings && ActionTable == other.ActionTable &&
           shiftButton == other.shiftButton && extraActions == other.extraActions &&
           stick2Axes == other.stick2Axes &&
           TextsEqual(CombinationText.get(), other.CombinationText.get(), TextBytes()) &&
           TextsEqual(extraText.get(), other.extraText.get(), ExtraTextBytes());
}

const uint8_t* StoredProfile::Text(Column column, int event) const {
    const bool shifted = column == Column::Shifted;
    if (event <= EventCount) return SlotText(TextSlot(column, event));
    if (!extraText) return nullptr;
    const int slot = event - FirstExtraEvent + (shifted ? ExtraEventCount : 0);
    return extraText.get() + static_cast<size_t>(slot) * TextWidth();
}

bool StoredProfile::HasExtension() const {
    return stick2Axes != 0 ||
           std::any_of(extraActions.begin(), extraActions.end(),
                       [](int32_t v) { return v != 0; }) ||
           !TextsEqual(extraText.get(), nullptr, ExtraTextBytes());
}

std::unique_ptr<uint8_t[]> AllocateText(int32_t maxChars, int slots) {
    if (maxChars < 1) return nullptr;
    return std::unique_ptr<uint8_t[]>(new (std::nothrow)
                                          uint8_t[static_cast<size_t>(slots) * maxChars]());
}
