// libFuzzer target for the configuration decoder: never crashes nor reads out of bounds, and what
// it reads is read back unchanged after being written again.
#include <cstdlib>

#include "profiles/ConfigurationFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ConfigurationData read;
    DecodeConfiguration(std::vector<uint8_t>(data, data + size), read);
    for (const ConfigurationRecord& record : read.records) {
        // A name holding a 0 byte cannot be written; the decoder must never produce one.
        if (record.profileName.find('\0') != std::string::npos) std::abort();
        if (record.joystickId >= ConfigurationEndByte) std::abort();
    }
    for (const std::string& key : read.deviceKeys) {
        if (key.size() > MaxDeviceKeyLength || key.find('\0') != std::string::npos) std::abort();
    }
    ConfigurationData again;
    DecodeConfiguration(EncodeConfiguration(read), again);
    if (again.launchOnStartup != read.launchOnStartup || again.enabledMask != read.enabledMask ||
        again.records != read.records || again.deviceKeys != read.deviceKeys) {
        std::abort();
    }
    return 0;
}
