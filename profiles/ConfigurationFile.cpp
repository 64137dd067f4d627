// Encoding and decoding of the configuration file.
#include "profiles/ConfigurationFile.h"

#include <algorithm>
#include <cstring>

#include "profiles/ByteOrder.h"

namespace {

constexpr char DeviceKeyTag[4] = {'Q', 'V', 'C', '1'};

// The device keys starting at `offset`, just after the end byte.
DeviceKeyList DecodeDeviceKeys(const std::vector<uint8_t>& bytes, size_t offset, DeviceKeys& out) {
    const size_t size = bytes.size();
    if (size - offset < sizeof DeviceKeyTag ||
        std::memcmp(&bytes[offset], DeviceKeyTag, sizeof DeviceKeyTag) != 0) {
        return DeviceKeyList::None;
    }
    offset += sizeof DeviceKeyTag;
    DeviceKeys keys;
    for (std::string& key : keys) {
        const void* end = offset < size ? std::memchr(&bytes[offset], 0, size - offset) : nullptr;
        if (end == nullptr) return DeviceKeyList::Damaged;
        const size_t keyEnd = static_cast<const uint8_t*>(end) - &bytes[0];
        if (keyEnd - offset > MaxDeviceKeyLength) return DeviceKeyList::Damaged;
        key.assign(bytes.begin() + offset, bytes.begin() + keyEnd);
        offset = keyEnd + 1;
    }
    // Bytes after the sixteenth key are left for later versions.
    out = keys;
    return DeviceKeyList::Read;
}

}  // namespace

void DecodeConfiguration(const std::vector<uint8_t>& bytes, ConfigurationData& out) {
    const size_t size = bytes.size();
    if (size >= 4) out.launchOnStartup = static_cast<int32_t>(ReadLe32(&bytes[0]));
    if (size >= 6) out.enabledMask = ReadLe16(&bytes[4]);
    out.records.clear();
    out.deviceKeys = DeviceKeys{};
    out.keyList = DeviceKeyList::None;
    for (size_t offset = 6; offset < size;) {
        const uint8_t id = bytes[offset++];
        if (id >= ConfigurationEndByte) {
            out.keyList = DecodeDeviceKeys(bytes, offset, out.deviceKeys);
            break;
        }
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
    const bool anyKey = std::any_of(data.deviceKeys.begin(), data.deviceKeys.end(),
                                    [](const std::string& key) { return !key.empty(); });
    if (!anyKey) return out;
    out.insert(out.end(), DeviceKeyTag, DeviceKeyTag + sizeof DeviceKeyTag);
    for (const std::string& key : data.deviceKeys) {
        // Up to a 0 inside the key, which would end it early in the file.
        const std::string kept = key.substr(0, std::min(key.find('\0'), MaxDeviceKeyLength));
        out.insert(out.end(), kept.begin(), kept.end());
        out.push_back(0);
    }
    return out;
}

ConfigurationData DefaultConfiguration() {
    ConfigurationData data;
    data.enabledMask = 0xFFFF;
    for (uint8_t id = 0; id < 16; ++id) data.records.push_back({id, "Default"});
    return data;
}
