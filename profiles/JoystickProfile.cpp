// Construction, device set-up, loading and saving of a joystick's profile.
#include "profiles/JoystickProfile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

#include "profiles/ProfileFile.h"
#include "profiles/ProfileName.h"

JoystickProfile::JoystickProfile(const ProgramContext& context, int id)
    : LiveJoystick(id), owner(context) {}

std::string JoystickProfile::FilePath() const { return PathOf(profileName); }

std::string JoystickProfile::PathOf(const std::string& name) const {
    return owner.programDirectory + name + ProfileFileExtension;
}

// By value: a caller may pass the profile's own name, which the load replaces.
LoadResult JoystickProfile::Load(std::string name) {
    if (CheckProfileName(owner.programDirectory, name) != NameProblem::None) {
        return Refuse(LoadResult::BadName, name);
    }
    std::vector<uint8_t> bytes;
    switch (platform::ReadWholeFile(PathOf(name), bytes)) {
        case platform::ReadStatus::Missing:
            return CreateProfile(name);
        case platform::ReadStatus::Unreadable:
            return Refuse(LoadResult::Unreadable, name);
        case platform::ReadStatus::Ok:
            break;
    }

    ProfileHeader header;
    if (DecodeProfileHeader(bytes, header) != ProfileDecodeError::None) {
        return Refuse(LoadResult::Damaged, name);
    }
    std::unique_ptr<uint8_t[]> text = AllocateText(header.settings.maxChars);
    if (!text) return Refuse(LoadResult::NoMemory, name);
    ProfileBody body;
    DecodeProfileBody(bytes, header, body, text.get());
    std::unique_ptr<uint8_t[]> extraText =
        AllocateText(header.settings.maxChars, ExtraTextSlotCount);
    if (!extraText) return Refuse(LoadResult::NoMemory, name);
    ProfileExtension extension;
    switch (DecodeProfileExtension(bytes, header, extension, extraText.get())) {
        case ProfileDecodeError::None:
            break;
        case ProfileDecodeError::NewerVersion:
            return Refuse(LoadResult::NewerVersion, name);
        default:
            return Refuse(LoadResult::Damaged, name);
    }

    std::string usedName = name;
    // Capabilities that cannot be read count no button: no backup is made for that count.
    if (header.buttonCount != CurrentButtonCount() && HasCaps()) {
        // The joystick's button count changed since the file was written: the profile continues
        // under a new name with the count appended, and the old file stays as it is.
        const std::string backupName = BackupName(name);
        if (!backupName.empty() && backupName != name) {
            // A backup made at an earlier start may hold the user's later changes: it is loaded,
            // never overwritten.
            std::vector<uint8_t> existing;
            if (platform::ReadWholeFile(PathOf(backupName), existing) !=
                platform::ReadStatus::Missing) {
                const LoadResult backup = Load(backupName);
                return backup == LoadResult::Loaded ? LoadResult::BackupLoaded : backup;
            }
            usedName = backupName;
        }
        // No name fits: the profile runs as loaded, and Save refuses to rewrite the old file
        // with the new count.
    }
    ReleaseHeld();
    stored.settings = header.settings;
    stored.ActionTable = body.table;
    stored.CombinationText = std::move(text);
    if (body.shiftButton) stored.shiftButton = *body.shiftButton;
    stored.extraActions = extension.actions;
    stored.stick2Axes = extension.stick2Axes;
    stored.extraText = extension.present ? std::move(extraText) : nullptr;
    profileName = usedName;
    fileButtonCount = usedName == name ? header.buttonCount : CurrentButtonCount();
    if (owner.platformId == PlatformWindows9x) caps.numButtons = caps.maxButtons;
    FollowPollingDelay();
    if (usedName == name) return LoadResult::Loaded;
    modified = true;
    return Save() == SaveResult::Saved ? LoadResult::BackedUp : LoadResult::NotSaved;
}

// A missing profile: it keeps its mappings with the default settings, and gets its file now.
LoadResult JoystickProfile::CreateProfile(const std::string& name) {
    ReleaseHeld();
    // The progressive flag and the combination length stay as they are.
    ProfileSettings defaults;
    defaults.progressive = stored.settings.progressive;
    defaults.maxChars = stored.settings.maxChars;
    stored.settings = defaults;
    if (!stored.CombinationText) stored.CombinationText = AllocateText(defaults.maxChars);
    profileName = name;
    fileButtonCount = CurrentButtonCount();
    modified = true;
    FollowPollingDelay();
    return Save() == SaveResult::Saved ? LoadResult::Created : LoadResult::NotSaved;
}

LoadResult JoystickProfile::Refuse(LoadResult result, const std::string& name) {
    refusedName = name;
    return result;
}

// The joystick keeps what construction gave it: the default settings and no mapping.
void JoystickProfile::UseBuiltInSettings(const std::string& name) {
    profileName = name;
    fileButtonCount = -1;
    modified = false;
}

// The button count the device reports now, as a load counts it: on Windows 95/98/Me the driver's
// count stands for the device's.
int32_t JoystickProfile::CurrentButtonCount() const {
    const uint32_t count =
        owner.platformId == PlatformWindows9x ? caps.maxButtons : caps.numButtons;
    return static_cast<int32_t>(std::min<uint32_t>(count, MaxButtons));
}

// `name` with "(NN)" appended for the current button count, the name shortened as far as needed
// for the file name to fit; empty when even the suffix alone does not fit.
std::string JoystickProfile::BackupName(const std::string& name) const {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "(%02d)", static_cast<int>(CurrentButtonCount()));
    const size_t fixed =
        owner.programDirectory.size() + std::strlen(suffix) + ProfileFileExtensionLength;
    if (fixed >= MaxPathLength) return std::string();
    return name.substr(0, MaxPathLength - fixed) + suffix;
}

void JoystickProfile::ApplySettings(const ProfileSettings& settings) {
    const int32_t maxChars = stored.settings.maxChars;
    stored.settings = settings;
    stored.settings.maxChars = maxChars;
}

// Whether the file at `path` is one a newer version of the program wrote.
bool JoystickProfile::IsNewerVersionFile(const std::string& path) const {
    std::vector<uint8_t> bytes;
    ProfileHeader header;
    if (platform::ReadWholeFile(path, bytes) != platform::ReadStatus::Ok ||
        DecodeProfileHeader(bytes, header) != ProfileDecodeError::None) {
        return false;
    }
    std::unique_ptr<uint8_t[]> text = AllocateText(header.settings.maxChars, ExtraTextSlotCount);
    ProfileExtension extension;
    return text && DecodeProfileExtension(bytes, header, extension, text.get()) ==
                       ProfileDecodeError::NewerVersion;
}

SaveResult JoystickProfile::Save() {
    if (!modified) return SaveResult::NotNeeded;
    if (fileButtonCount < 0) return SaveResult::NoFile;
    if (profileName.empty()) return SaveResult::NotNeeded;
    // Written for another count, the file would lose the mappings of the buttons beyond it.
    if (!HasCaps() || CurrentButtonCount() != fileButtonCount) {
        return SaveResult::ButtonCountChanged;
    }
    if (IsNewerVersionFile(FilePath())) return SaveResult::NewerFileKept;
    const platform::ReplaceResult written =
        CheckProfileName(owner.programDirectory, profileName) != NameProblem::None
            ? platform::ReplaceResult::Failed
            : platform::ReplaceWholeFile(FilePath(), EncodeProfile(stored, fileButtonCount));
    if (written != platform::ReplaceResult::Replaced) {
        // The flag stays set, so the next save writes these changes.
        return written == platform::ReplaceResult::KeptInTemporary ? SaveResult::KeptInTemporary
                                                                   : SaveResult::Failed;
    }
    modified = false;
    return SaveResult::Saved;
}
