// libFuzzer target for the profile decoder: never crashes nor reads out of bounds, and a file it
// accepts reads back unchanged after being written again.
#include <algorithm>
#include <cstdlib>
#include <memory>

#include "profiles/ProfileFile.h"

namespace {

bool SameHeader(const ProfileHeader& a, const ProfileHeader& b) {
    const ProfileSettings& x = a.settings;
    const ProfileSettings& y = b.settings;
    return x.swapY == y.swapY && x.swapX == y.swapX && x.progressive == y.progressive &&
           x.acceleration == y.acceleration && x.pollingDelay == y.pollingDelay &&
           x.sensitivity == y.sensitivity && x.threshold == y.threshold &&
           x.maxChars == y.maxChars && a.buttonCount == b.buttonCount;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    ProfileHeader header;
    if (DecodeProfileHeader(bytes, header) != ProfileDecodeError::None) return 0;
    const size_t textSize = static_cast<size_t>(TextSlotCount) * header.settings.maxChars;
    const auto text = std::make_unique<uint8_t[]>(textSize);
    ProfileBody body;
    DecodeProfileBody(bytes, header, body, text.get());

    const int32_t shiftButton = body.shiftButton.value_or(0);
    const std::vector<uint8_t> again = EncodeProfile(header, body.table, text.get(), shiftButton);
    ProfileHeader readHeader;
    if (DecodeProfileHeader(again, readHeader) != ProfileDecodeError::None) std::abort();
    const auto readText = std::make_unique<uint8_t[]>(textSize);
    ProfileBody readBody;
    DecodeProfileBody(again, readHeader, readBody, readText.get());
    if (!SameHeader(header, readHeader) || readBody.table != body.table ||
        !std::equal(text.get(), text.get() + textSize, readText.get()) ||
        readBody.shiftButton != shiftButton) {
        std::abort();
    }
    return 0;
}
