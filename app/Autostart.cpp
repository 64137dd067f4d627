// The autostart value and the Run keys it goes to.
#include "app/Autostart.h"

#include "app/ShellMessages.h"
#include "platform/Platform.h"

namespace {

std::string LowerCase(const std::string& path) {
    // A byte above 127 may start a double-byte character whose second byte looks like a capital
    // letter; such a path is kept as it is.
    for (const char c : path) {
        if (static_cast<unsigned char>(c) > 127) return path;
    }
    std::string lower = path;
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

bool StoreValue(const std::string& value) {
    using platform::RunKey;
    if (platform::SetRunValue(RunKey::Machine, AutostartValueName, value)) {
        // An entry left under the user's key by an earlier start would start the program twice.
        platform::DeleteRunValue(RunKey::User, AutostartValueName);
        return true;
    }
    return platform::SetRunValue(RunKey::User, AutostartValueName, value);
}

}  // namespace

std::optional<std::string> AutostartValue(const std::string& executablePath) {
    if (executablePath.empty()) return std::nullopt;
    const std::string value = "\"" + LowerCase(executablePath) + "\" /hide";
    // A cut value would start another program, or none.
    if (value.size() + 1 > AutostartBufferSize) return std::nullopt;
    return value;
}

bool ApplyLaunchOnStartup(int32_t flag) {
    if (flag == 0) {
        platform::DeleteRunValue(platform::RunKey::Machine, AutostartValueName);
        platform::DeleteRunValue(platform::RunKey::User, AutostartValueName);
        return true;
    }
    const std::optional<std::string> value = AutostartValue(platform::ExecutablePath());
    if (value && StoreValue(*value)) return true;
    Show(CouldntSetRegistryMessage());
    return false;
}

void ToggleLaunchOnStartup(ApplicationState& state) {
    state.LaunchOnStartup = state.LaunchOnStartup == 0 ? 1 : 0;
    ApplyLaunchOnStartup(state.LaunchOnStartup);
}
