// libFuzzer target for the profile decoder, extension included: never crashes nor reads out of
// bounds, and a file it accepts reads back unchanged after being written again.
#include <cstdlib>

#include "profiles/ProfileFile.h"

namespace {

// The stored profile and button count a file holds; false for a file a load refuses.
bool Decode(const std::vector<uint8_t>& bytes, StoredProfile& profile, int32_t& buttonCount) {
    ProfileHeader header;
    if (DecodeProfileHeader(bytes, header) != ProfileDecodeError::None) return false;
    profile.settings = header.settings;
    profile.CombinationText = AllocateText(header.settings.maxChars);
    profile.extraText = AllocateText(header.settings.maxChars, ExtraTextSlotCount);
    ProfileBody body;
    DecodeProfileBody(bytes, header, body, profile.CombinationText.get());
    ProfileExtension extension;
    if (DecodeProfileExtension(bytes, header, extension, profile.extraText.get()) !=
        ProfileDecodeError::None) {
        return false;
    }
    profile.ActionTable = body.table;
    profile.shiftButton = body.shiftButton.value_or(0);
    profile.extraActions = extension.actions;
    profile.stick2Axes = extension.stick2Axes;
    buttonCount = header.buttonCount;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    StoredProfile profile;
    int32_t buttonCount = 0;
    if (!Decode(std::vector<uint8_t>(data, data + size), profile, buttonCount)) return 0;
    StoredProfile again;
    int32_t againCount = 0;
    if (!Decode(EncodeProfile(profile, buttonCount), again, againCount)) std::abort();
    if (!(again == profile) || againCount != buttonCount) std::abort();
    return 0;
}
