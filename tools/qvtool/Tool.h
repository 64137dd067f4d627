// qvtool's commands.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/DiskFiles.h"

// Exit status of a command that failed on its input.
constexpr int ExitBadInput = 2;

// Reads the whole file at `path`; false, after saying so on standard error, when it cannot.
inline bool ReadInputFile(const std::string& path, std::vector<uint8_t>& bytes) {
    if (ReadDiskFile(path, bytes)) return true;
    std::fprintf(stderr, "qvtool: cannot read %s\n", path.c_str());
    return false;
}

int ShowCommand(const std::vector<std::string>& args, std::FILE* out);
// Writes a configuration file with autostart off, every joystick enabled, every ID "Default".
int DefaultConfigCommand(const std::vector<std::string>& args);
int SimulateCommand(const std::vector<std::string>& args, std::FILE* out);
// Prints the decision of the rules file for joysticks 1 to 16 and, on standard error, what it
// ignored: 0, 1 when something was ignored, ExitBadInput when the file was not read.
int RulesCommand(const std::vector<std::string>& args, std::FILE* out);
