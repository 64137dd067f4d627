// The autostart value and the Run keys it goes to.
#include "app/Autostart.h"

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
    // An administrator's entry under the machine's key, even one this user cannot rewrite, starts
    // the program already: an entry under the user's key too would start it twice.
    if (platform::SetRunValue(RunKey::Machine, AutostartValueName, value) ||
        platform::HasRunValue(RunKey::Machine, AutostartValueName)) {
        platform::DeleteRunValue(RunKey::User, AutostartValueName);
        return true;
    }
    return platform::SetRunValue(RunKey::User, AutostartValueName, value);
}

// False when a value stays under a key that could not be written.
bool RemoveValues() {
    using platform::RunKey;
    for (const RunKey key : {RunKey::Machine, RunKey::User}) {
        platform::DeleteRunValue(key, AutostartValueName);
    }
    return !platform::HasRunValue(RunKey::Machine, AutostartValueName) &&
           !platform::HasRunValue(RunKey::User, AutostartValueName);
}

}  // namespace

std::optional<std::string> AutostartValue(const std::string& executablePath) {
    if (executablePath.empty()) return std::nullopt;
    const std::string value = "\"" + LowerCase(executablePath) + "\" /hide";
    // A cut value would start another program, or none.
    if (value.size() + 1 > AutostartBufferSize) return std::nullopt;
    return value;
}

AutostartResult ApplyLaunchOnStartup(int32_t flag) {
    if (flag == 0) return RemoveValues() ? AutostartResult::Applied : AutostartResult::LeftInForce;
    const std::optional<std::string> value = AutostartValue(platform::ExecutablePath());
    return value && StoreValue(*value) ? AutostartResult::Applied : AutostartResult::NotStored;
}

AutostartResult ToggleLaunchOnStartup(ApplicationState& state) {
    state.LaunchOnStartup = state.LaunchOnStartup == 0 ? 1 : 0;
    return ApplyLaunchOnStartup(state.LaunchOnStartup);
}
