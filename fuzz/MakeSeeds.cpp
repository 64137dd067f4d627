// Writes valid profile and configuration files to start the fuzz corpora from.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/DiskFiles.h"
#include "profiles/ConfigurationFile.h"
#include "profiles/ProfileFile.h"

namespace {

// A profile of N buttons and MaxChars M with a few mappings, texts and a shift button.
std::vector<uint8_t> SeedProfile(int32_t buttons, int32_t maxChars) {
    ProfileHeader header;
    header.settings.maxChars = maxChars;
    header.settings.progressive = buttons % 2;
    header.buttonCount = buttons;
    ActionEntries table{};
    std::vector<uint8_t> text(static_cast<size_t>(TextSlotCount) * maxChars, 0);
    for (int event = 1; event <= buttons + DirectionCount; event += 3) {
        table[ModifierIndex(Column::Normal, event)] = event % 8;
        table[KeyIndex(Column::Normal, event)] = event;
        table[KeyIndex(Column::Shifted, event)] = 45 - event;
        text[TextSlot(Column::Normal, event) * maxChars] = static_cast<uint8_t>('a' + event % 26);
    }
    return EncodeProfile(header, table, text.data(), buttons > 0 ? buttons : 0);
}

// The same with the extension: the second stick's axes and a mapping of each extra event.
std::vector<uint8_t> SeedExtendedProfile(int32_t buttons, int32_t maxChars) {
    StoredProfile profile;
    profile.settings.maxChars = maxChars;
    profile.stick2Axes = buttons % 5;
    profile.extraText = AllocateText(maxChars, ExtraTextSlotCount);
    for (int event = FirstExtraEvent; event <= LastEvent; ++event) {
        profile.SetAction(event % ColumnCount, event, event);
        profile.Text(Column::Shifted, event)[0] = static_cast<uint8_t>('A' + event % 26);
    }
    return EncodeProfile(profile, buttons);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: fuzz_seeds PROFILE_DIR CONFIGURATION_DIR\n", stderr);
        return 2;
    }
    const std::string profiles = std::string(argv[1]) + "/";
    const std::string configurations = std::string(argv[2]) + "/";
    bool written = true;
    for (int32_t buttons : {0, 4, 12, 32}) {
        for (int32_t maxChars : {1, 2, 16, 99}) {
            const std::string name =
                "seed-" + std::to_string(buttons) + "-" + std::to_string(maxChars) + ".qvp";
            written = WriteDiskFile(profiles + name, SeedProfile(buttons, maxChars)) && written;
            written = WriteDiskFile(profiles + "extended-" + name,
                                    SeedExtendedProfile(buttons, maxChars)) &&
                      written;
        }
    }
    ConfigurationData data;
    data.launchOnStartup = 1;
    data.enabledMask = 0x0012;
    data.records = {{4, "Beta"}, {1, "Alpha"}, {4, "Pad(12)"}, {15, ""}};
    written = WriteDiskFile(configurations + "mixed.cfg", EncodeConfiguration(data)) && written;
    data.deviceKeys[0] = "VID_045E&PID_028E";
    data.deviceKeys[15] = std::string(MaxDeviceKeyLength, 'k');
    written = WriteDiskFile(configurations + "keys.cfg", EncodeConfiguration(data)) && written;
    return written ? 0 : 1;
}
