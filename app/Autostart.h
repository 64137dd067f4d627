// The autostart entry: the Run value that starts the program hidden when the user logs on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "profiles/Configuration.h"

constexpr const char* AutostartValueName = "Quorvel";
// The value is built in a buffer of this many bytes, its terminating NUL included.
constexpr size_t AutostartBufferSize = 256;

// The quoted, lower-cased executable path followed by " /hide"; empty when there is no path or the
// value and its NUL do not fit in AutostartBufferSize bytes.
std::optional<std::string> AutostartValue(const std::string& executablePath);

enum class AutostartResult {
    Applied,
    NotStored,    // a nonzero flag: neither key took the value, or the path does not fit
    LeftInForce,  // zero: a value stays under a key that could not be written
};

// Nonzero flag: stores the value under the machine's Run key; when that key cannot be written,
// leaves a value it already holds in force, or else stores it under the user's key. Zero: deletes
// the value from both keys. Shows nothing.
AutostartResult ApplyLaunchOnStartup(int32_t flag);

// The "Launch on Startup" box: LaunchOnStartup becomes 1 if it was 0 and 0 otherwise, and is
// applied. The configuration file is not written here. Shows nothing.
AutostartResult ToggleLaunchOnStartup(ApplicationState& state);
