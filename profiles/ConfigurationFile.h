// The configuration file: pure encoding and decoding over byte buffers. A 32-bit autostart flag,
// the 16-bit enabled mask, then records of one ID byte and a 0-terminated profile name, ended by
// a byte of 16 or more. After that byte, when some record remembers the device key of the pad
// that last used it: "QVC1" and sixteen 0-terminated keys of at most 63 bytes, ID 0's first.
// Earlier versions stop reading at the end byte.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr uint8_t ConfigurationEndByte = 16;
constexpr int ConfigurationRecordCount = 16;
// The longest device key the file keeps, in bytes before its 0.
constexpr size_t MaxDeviceKeyLength = 63;

// A device key per ID, empty for none.
using DeviceKeys = std::array<std::string, ConfigurationRecordCount>;

struct ConfigurationRecord {
    uint8_t joystickId = 0;
    std::string profileName;
    bool operator==(const ConfigurationRecord& other) const {
        return joystickId == other.joystickId && profileName == other.profileName;
    }
};

// What followed the end byte: no device keys (nothing, or bytes not starting with "QVC1"), the
// keys, or a damaged list (fewer than sixteen keys, or a key too long), of which none is used.
enum class DeviceKeyList { None, Read, Damaged };

struct ConfigurationData {
    int32_t launchOnStartup = 0;
    uint16_t enabledMask = 0;
    std::vector<ConfigurationRecord> records;  // in file order
    // The key each ID's record remembers; all empty unless `keyList` is Read.
    DeviceKeys deviceKeys;
    DeviceKeyList keyList = DeviceKeyList::None;
};

// Reads what the file holds. Fields the file does not reach keep the values `out` holds, except
// the records and the keys, which are always read afresh; a record whose name the file cuts
// before its 0 byte is dropped. Never fails.
void DecodeConfiguration(const std::vector<uint8_t>& bytes, ConfigurationData& out);

// The bytes of a configuration file with these records, then the end byte, then the keys when
// any is not empty (each cut to MaxDeviceKeyLength bytes).
std::vector<uint8_t> EncodeConfiguration(const ConfigurationData& data);

// Autostart off, every joystick enabled, every ID naming "Default".
ConfigurationData DefaultConfiguration();
