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

// Nonzero flag: stores the value under the machine's Run key, or under the user's when the
// machine's cannot be written, and shows "Couldn't set registry value" when neither can or the
// path does not fit. Zero: deletes the value from both keys, silently. False only when a nonzero
// flag could not be stored.
bool ApplyLaunchOnStartup(int32_t flag);

// The "Launch on Startup" box: LaunchOnStartup becomes 1 if it was 0 and 0 otherwise, and is
// applied. The configuration file is not written here.
void ToggleLaunchOnStartup(ApplicationState& state);
