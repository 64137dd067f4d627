// Construction, device set-up, loading and saving of a joystick's profile.
#include "profiles/JoystickProfile.h"

#include <algorithm>
#include <cstdio>
#include <new>

#include "profiles/Messages.h"
#include "profiles/ProfileFile.h"
#include "profiles/ProfileName.h"

namespace {

std::unique_ptr<uint8_t[]> AllocateText(int32_t maxChars) {
    return std::unique_ptr<uint8_t[]>(new (std::nothrow)
                                          uint8_t[static_cast<size_t>(TextSlotCount) * maxChars]());
}

}  // namespace

JoystickProfile::JoystickProfile(const ProgramContext& context, int id)
    : joystickId(id), owner(context) {
    SetUpDevice();
}

JoystickProfile::~JoystickProfile() {
    if (timerRunning) {
        ReleaseHeld();
        platform::StopTimer(joystickId);
    }
}

void JoystickProfile::SetUpDevice() {
    position = {};
    caps = {};
    platform::ReadJoystickCaps(joystickId, caps);
    // Added as unsigned 32-bit values, then halved: the fraction is dropped.
    centreX = (caps.xMin + caps.xMax) >> 1;
    centreY = (caps.yMin + caps.yMax) >> 1;
}

std::string JoystickProfile::FilePath() const {
    return owner.programDirectory + profileName + ".qvp";
}

int32_t JoystickProfile::ButtonCount() const {
    return static_cast<int32_t>(std::min<uint32_t>(caps.numButtons, MaxButtons));
}

LoadResult JoystickProfile::Load() {
    ReleaseHeld();
    // The default settings; the progressive flag and the combination length stay as they are.
    ProfileSettings defaults;
    defaults.progressive = progressive;
    defaults.maxChars = MaxChars;
    ApplySettings(defaults);
    if (!CombinationText) CombinationText = AllocateText(MaxChars);
    if (CheckProfileName(owner.programDirectory, profileName) != NameProblem::None) {
        return LoadResult::BadName;
    }

    std::vector<uint8_t> bytes;
    switch (platform::ReadWholeFile(FilePath(), bytes)) {
        case platform::ReadStatus::Missing:
            // The profile keeps its mappings with the default settings, and gets its file now.
            modified = true;
            Save();
            return LoadResult::Created;
        case platform::ReadStatus::Unreadable:
            Show(UnreadableProfileMessage(FilePath()));
            return LoadResult::Unreadable;
        case platform::ReadStatus::Ok:
            break;
    }

    ProfileHeader header;
    if (DecodeProfileHeader(bytes, header) != ProfileDecodeError::None) {
        Show(DamagedProfileMessage(FilePath()));
        return LoadResult::Damaged;
    }
    // Kept on failure: the old buffer and its MaxChars stay together.
    std::unique_ptr<uint8_t[]> text = AllocateText(header.settings.maxChars);
    if (!text) {
        Show(NotEnoughMemoryMessage());
        return LoadResult::NoMemory;
    }
    ProfileBody body;
    DecodeProfileBody(bytes, header, body, text.get());
    ApplySettings(header.settings);
    ActionTable = body.table;
    CombinationText = std::move(text);
    if (body.shiftButton) shiftButton = *body.shiftButton;

    if (owner.platformId == PlatformWindows9x) caps.numButtons = caps.maxButtons;
    if (header.buttonCount == ButtonCount()) return LoadResult::Loaded;
    return WriteBackupProfile();
}

// The joystick's button count changed since the file was written: the profile continues under
// a new name with the count appended, and the old file stays as it is.
LoadResult JoystickProfile::WriteBackupProfile() {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "(%02d)", static_cast<int>(ButtonCount()));
    const std::string backupName = BackupName(suffix);
    // No name fits: the profile runs as loaded and nothing is written, so the old file is never
    // rewritten with the new count.
    if (backupName.empty() || backupName == profileName) return LoadResult::Loaded;
    profileName = backupName;
    // A backup made at an earlier start may hold the user's later changes: it is loaded, never
    // overwritten.
    std::vector<uint8_t> existing;
    if (platform::ReadWholeFile(FilePath(), existing) != platform::ReadStatus::Missing) {
        return Load();
    }
    modified = true;
    if (Save()) Show(ButtonCountChangedMessage(joystickId + 1, profileName));
    return LoadResult::BackedUp;
}

// The profile name with the suffix appended, the name shortened as far as needed for the file
// name to fit; empty when even the suffix alone does not fit.
std::string JoystickProfile::BackupName(const std::string& suffix) const {
    const size_t fixed = owner.programDirectory.size() + suffix.size() + 4;  // + ".qvp"
    if (fixed >= MaxPathLength) return std::string();
    return profileName.substr(0, MaxPathLength - fixed) + suffix;
}

ProfileSettings JoystickProfile::Settings() const {
    return {swapY,        swapX,       progressive, acceleration,
            pollingDelay, sensitivity, threshold,   MaxChars};
}

void JoystickProfile::ApplySettings(const ProfileSettings& s) {
    swapY = s.swapY;
    swapX = s.swapX;
    progressive = s.progressive;
    acceleration = s.acceleration;
    pollingDelay = s.pollingDelay;
    sensitivity = s.sensitivity;
    threshold = s.threshold;
    MaxChars = s.maxChars;
}

bool JoystickProfile::Save() {
    if (!modified || profileName.empty()) return false;
    ProfileHeader header;
    header.settings = Settings();
    header.buttonCount = ButtonCount();
    const platform::ReplaceResult written =
        CheckProfileName(owner.programDirectory, profileName) != NameProblem::None
            ? platform::ReplaceResult::Failed
            : platform::ReplaceWholeFile(
                  FilePath(),
                  EncodeProfile(header, ActionTable, CombinationText.get(), shiftButton));
    if (written != platform::ReplaceResult::Replaced) {
        // The flag stays set, so the next save writes these changes.
        Show(SaveFailureMessage(written, FilePath()));
        return false;
    }
    modified = false;
    return true;
}
