// The configuration file: pure encoding and decoding over byte buffers. A 32-bit autostart flag,
// the 16-bit enabled mask, then records of one ID byte and a 0-terminated profile name, ended by
// a byte of 16 or more.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr uint8_t ConfigurationEndByte = 16;

struct ConfigurationRecord {
    uint8_t joystickId = 0;
    std::string profileName;
    bool operator==(const ConfigurationRecord& other) const {
        return joystickId == other.joystickId && profileName == other.profileName;
    }
};

struct ConfigurationData {
    int32_t launchOnStartup = 0;
    uint16_t enabledMask = 0;
    std::vector<ConfigurationRecord> records;  // in file order
};

// Reads what the file holds. Fields the file does not reach keep the values `out` holds; a record
// whose name the file cuts before its 0 byte is dropped. Never fails.
void DecodeConfiguration(const std::vector<uint8_t>& bytes, ConfigurationData& out);

// The bytes of a configuration file with these records, then the end byte.
std::vector<uint8_t> EncodeConfiguration(const ConfigurationData& data);

// Autostart off, every joystick enabled, every ID naming "Default".
ConfigurationData DefaultConfiguration();
