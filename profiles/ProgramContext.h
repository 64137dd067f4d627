// What a profile needs of the program that owns it.
#pragma once

#include <cstdint>
#include <string>

constexpr uint32_t PlatformWindows9x = 1;  // Windows 95, 98 and Me
constexpr uint32_t PlatformWindowsNt = 2;

struct ProgramContext {
    std::string programDirectory;  // ends with the path separator; file names are appended
    uint32_t platformId = PlatformWindowsNt;
};
