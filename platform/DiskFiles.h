// Whole-file reading and all-or-nothing writing with the standard library, for the command-line
// tool (the program itself goes through the platform backend).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// False when the file cannot be opened or read.
bool ReadDiskFile(const std::string& path, std::vector<uint8_t>& out);
// Replaces the file all or nothing; false when it could not, the old file then unchanged.
bool WriteDiskFile(const std::string& path, const std::vector<uint8_t>& bytes);
