// qvtool's commands.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/DiskFiles.h"

// Exit status of a command that failed on its input.
constexpr int ExitBadInput = 2;

int ShowCommand(const std::vector<std::string>& args, std::FILE* out);
// Writes a configuration file with autostart off, every joystick enabled, every ID "Default".
int DefaultConfigCommand(const std::vector<std::string>& args);
int SimulateCommand(const std::vector<std::string>& args, std::FILE* out);
// Prints the decision of the rules file for joysticks 1 to 16 and, on standard error, what it
// ignored: 0, 1 when something was ignored, ExitBadInput when the file was not read.
int RulesCommand(const std::vector<std::string>& args, std::FILE* out);
