// qvtool's commands.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Exit status of a command that failed on its input.
constexpr int ExitBadInput = 2;

// Reads a whole file from disk; false when it cannot be opened or read.
bool ReadDiskFile(const std::string& path, std::vector<uint8_t>& out);

int ShowCommand(const std::vector<std::string>& args, std::FILE* out);
int SimulateCommand(const std::vector<std::string>& args, std::FILE* out);
