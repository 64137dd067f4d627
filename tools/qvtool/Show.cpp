// qvtool show: a profile or configuration file as readable text.
#include <cctype>
#include <cstdio>
#include <memory>

#include "engine/ActionVocabulary.h"
#include "profiles/ConfigurationFile.h"
#include "profiles/ProfileFile.h"
#include "tools/qvtool/Tool.h"

namespace {

std::string ChoiceName(const std::vector<std::string>& names, int32_t value) {
    if (value >= 0 && static_cast<size_t>(value) < names.size()) return "\"" + names[value] + "\"";
    return "(none of the list)";
}

// A slot's text, quoted, with bytes outside printable ASCII as \xNN.
std::string QuotedText(const uint8_t* slot, int32_t maxChars) {
    std::string text = "\"";
    for (int32_t i = 0; i < maxChars && slot[i] != 0; ++i) {
        const uint8_t c = slot[i];
        if (c == '"' || c == '\\') {
            text += '\\';
            text += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7F) {
            text += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
            text += escaped;
        }
    }
    return text + "\"";
}

// The events a file holds: the directions and its buttons, then those of its extension.
void PrintColumn(std::FILE* out, const char* title, Column column, const StoredProfile& profile,
                 int32_t buttonCount, bool extended) {
    std::fprintf(out, "%s:\n", title);
    bool any = false;
    for (int event = 1; event <= LastEvent; ++event) {
        if (event > buttonCount + DirectionCount && event < FirstExtraEvent) continue;
        if (event >= FirstExtraEvent && !extended) break;
        const int32_t modifier = profile.Modifier(column, event);
        const int32_t key = profile.Key(column, event);
        const uint8_t* slot = profile.Text(column, event);
        const uint8_t empty = 0;
        if (slot == nullptr) slot = &empty;
        if (modifier == 0 && key == 0 && slot[0] == 0) continue;
        any = true;
        std::fprintf(out, "  %-11s modifier %d %s, key %d %s, text %s\n",
                     (EventName(event) + ":").c_str(), modifier,
                     ChoiceName(ModifierNames(event), modifier).c_str(), key,
                     ChoiceName(KeyChoiceNames(), key).c_str(),
                     QuotedText(slot, profile.settings.maxChars).c_str());
    }
    if (!any) std::fputs("  (no mapping)\n", out);
}

std::string SecondStickAxesName(int32_t value) {
    const std::vector<std::string>& names = SecondStickAxesNames();
    if (value >= 0 && static_cast<size_t>(value) < names.size()) return names[value];
    return "(none of the list: Automatic)";
}

bool EndsWithCfg(const std::string& path) {
    if (path.size() < 4) return false;
    std::string tail = path.substr(path.size() - 4);
    for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return tail == ".cfg";
}

std::string QuotedName(const std::string& name) {
    return QuotedText(reinterpret_cast<const uint8_t*>(name.c_str()),
                      static_cast<int32_t>(name.size()));
}

int ShowConfiguration(const std::string& path, const std::vector<uint8_t>& bytes, std::FILE* out) {
    ConfigurationData data;
    DecodeConfiguration(bytes, data);
    std::fprintf(out, "Configuration file %s, %zu bytes\n", path.c_str(), bytes.size());
    if (bytes.size() < 6) std::fputs("(cut before the enabled mask)\n", out);
    std::fprintf(out, "Launch on Startup: %d\nEnabled joysticks: 0x%04x", data.launchOnStartup,
                 data.enabledMask);
    std::string numbers;
    for (int id = 0; id < 16; ++id) {
        if (data.enabledMask & (1u << id)) numbers += " " + std::to_string(id + 1);
    }
    std::fprintf(out, " (%s)\n", numbers.empty() ? "none" : numbers.c_str() + 1);
    for (const ConfigurationRecord& record : data.records) {
        std::fprintf(out, "Joystick %d (ID %d): profile %s\n", record.joystickId + 1,
                     record.joystickId, QuotedName(record.profileName).c_str());
    }
    if (data.keyList == DeviceKeyList::Damaged) {
        std::fputs("(the list of pad keys is damaged: none is used)\n", out);
    }
    for (int id = 0; id < ConfigurationRecordCount; ++id) {
        const std::string& key = data.deviceKeys[id];
        if (key.empty()) {
            std::fprintf(out, "Joystick %d (ID %d): no pad key\n", id + 1, id);
        } else {
            std::fprintf(out, "Joystick %d (ID %d): pad key %s\n", id + 1, id,
                         QuotedName(key).c_str());
        }
    }
    return 0;
}

}  // namespace

int ShowCommand(const std::vector<std::string>& args, std::FILE* out) {
    if (args.size() != 1) {
        std::fputs("usage: qvtool show FILE\n", stderr);
        return ExitBadInput;
    }
    const std::string& path = args[0];
    std::vector<uint8_t> bytes;
    if (!ReadInputFile(path, bytes)) return ExitBadInput;
    if (EndsWithCfg(path)) return ShowConfiguration(path, bytes, out);
    ProfileHeader header;
    if (DecodeProfileHeader(bytes, header) != ProfileDecodeError::None) {
        std::fprintf(stderr, "qvtool: %s is not a usable profile file (damaged)\n", path.c_str());
        return ExitBadInput;
    }
    const ProfileSettings& s = header.settings;
    StoredProfile profile;
    profile.settings = s;
    profile.CombinationText = AllocateText(s.maxChars);
    profile.extraText = AllocateText(s.maxChars, ExtraTextSlotCount);
    ProfileBody body;
    DecodeProfileBody(bytes, header, body, profile.CombinationText.get());
    profile.ActionTable = body.table;
    ProfileExtension extension;
    switch (DecodeProfileExtension(bytes, header, extension, profile.extraText.get())) {
        case ProfileDecodeError::None:
            break;
        case ProfileDecodeError::NewerVersion:
            std::fprintf(stderr, "qvtool: %s was made by a newer version\n", path.c_str());
            return ExitBadInput;
        default:
            std::fprintf(stderr, "qvtool: %s is not a usable profile file (damaged)\n",
                         path.c_str());
            return ExitBadInput;
    }
    profile.extraActions = extension.actions;
    profile.stick2Axes = extension.stick2Axes;

    std::fprintf(out, "Profile file %s, %zu bytes", path.c_str(), bytes.size());
    if (extension.present) {
        std::fputs(" with the extension for the whole controller", out);
    } else if (bytes.size() != ProfileFileSize(header.buttonCount, s.maxChars)) {
        std::fprintf(out, " (a complete file has %zu)",
                     ProfileFileSize(header.buttonCount, s.maxChars));
    }
    std::fprintf(out,
                 "\nButtons: %d\nSwap Y axis: %d\nSwap X axis: %d\nProgressive action: %d\n"
                 "Acceleration: %d\nPolling Delay: %d ms\nSensitivity: %d\nThreshold: %d\n"
                 "Max chars in combination: %d\n",
                 header.buttonCount, s.swapY, s.swapX, s.progressive, s.acceleration,
                 s.pollingDelay, s.sensitivity, s.threshold, s.maxChars);
    if (!body.shiftButton) {
        std::fputs("Shift Button: (not in the file)\n", out);
    } else if (*body.shiftButton == 0) {
        std::fputs("Shift Button: none\n", out);
    } else {
        std::fprintf(out, "Shift Button: %d\n", *body.shiftButton);
    }
    if (extension.present) {
        std::fprintf(out, "Stick 2 axes: %d %s\n", extension.stick2Axes,
                     SecondStickAxesName(extension.stick2Axes).c_str());
    }
    PrintColumn(out, "Normal column", Column::Normal, profile, header.buttonCount,
                extension.present);
    PrintColumn(out, "Shifted column", Column::Shifted, profile, header.buttonCount,
                extension.present);
    return 0;
}

int DefaultConfigCommand(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fputs("usage: qvtool default-config FILE\n", stderr);
        return ExitBadInput;
    }
    if (!WriteDiskFile(args[0], EncodeConfiguration(DefaultConfiguration()))) {
        std::fprintf(stderr, "qvtool: cannot write %s\n", args[0].c_str());
        return 1;
    }
    return 0;
}
