// Encoding and decoding of the configuration file.
#include "profiles/ConfigurationFile.h"

#include <cstring>

#include "profiles/ByteOrder.h"

void DecodeConfiguration(const std::vector<uint8_t>& bytes, ConfigurationData& out) {
    const size_t size = bytes.size();
    if (size >= 4) out.launchOnStartup = static_cast<int32_t>(ReadLe32(&bytes[0]));
    if (size >= 6) out.enabledMask = ReadLe16(&bytes[4]);
    out.records.clear();
    for (size_t offset = 6; offset < size;) {
        const uint8_t id = bytes[offset++];
        if (id >= ConfigurationEndByte) break;
        const void* end = std::memchr(&bytes[0] + offset, 0, size - offset);
        if (end == nullptr) break;  // cut inside the name
        const size_t nameEnd = static_cast<const uint8_t*>(end) - &bytes[0];
        out.records.push_back({id, std::string(bytes.begin() + offset, bytes.begin() + nameEnd)});
        offset = nameEnd + 1;
    }
}

std::vector<uint8_t> EncodeConfiguration(const ConfigurationData& data) {
    std::vector<uint8_t> out;
    AppendLe32(out, static_cast<uint32_t>(data.launchOnStartup));
    AppendLe16(out, data.enabledMask);
    for (const ConfigurationRecord& record : data.records) {
        out.push_back(record.joystickId);
        out.insert(out.end(), record.profileName.begin(), record.profileName.end());
        out.push_back(0);
    }
    out.push_back(ConfigurationEndByte);
    return out;
}

ConfigurationData DefaultConfiguration() {
    ConfigurationData data;
    data.enabledMask = 0xFFFF;
    for (uint8_t id = 0; id < 16; ++id) data.records.push_back({id, "Default"});
    return data;
}
