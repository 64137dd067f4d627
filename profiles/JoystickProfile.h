// A joystick's profile as the program keeps it: the live joystick, the name of the profile file
// it uses, and loading and saving that file.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/LiveJoystick.h"
#include "profiles/ProfileFile.h"
#include "profiles/ProgramContext.h"

// What a load did. Damaged, NewerVersion (a later program's file), Unreadable, NoMemory and
// BadName are refusals: the profile is exactly as it was before the call. NotSaved: the profile is
// in use but its new file (a missing profile, or a backup) could not be written, so it stays
// modified.
enum class LoadResult {
    Loaded,
    Created,
    BackedUp,
    BackupLoaded,
    NotSaved,
    Damaged,
    NewerVersion,
    Unreadable,
    NoMemory,
    BadName
};
constexpr bool IsRefusal(LoadResult result) { return result >= LoadResult::Damaged; }

// KeptInTemporary: the old file is gone and the new content is whole in "<file>.tmp".
// NewerFileKept: the file there was made by a newer version of the program and stays as it is.
// ButtonCountChanged: the device's button count (or whether its capabilities can be read) is not
// what the profile was loaded for, so its file is not rewritten. NoFile: the profile runs on the
// built-in settings because its file was refused, and has no file to write.
enum class SaveResult {
    NotNeeded,
    Saved,
    Failed,
    KeptInTemporary,
    NewerFileKept,
    ButtonCountChanged,
    NoFile
};

// A present joystick with the profile it uses: the profile's name, whether the joystick holds
// changes its file does not hold yet, and the loading and saving of that file.
class JoystickProfile : public LiveJoystick {
  public:
    // Stores the owner and ID and runs the device set-up; the profile is empty until a load.
    JoystickProfile(const ProgramContext& owner, int joystickId);

    // Makes `name` the profile in use, read from its file: creates the file when missing, and
    // makes a backup profile when the button count changed (never while the device's
    // capabilities cannot be read). A refused file (damaged, unreadable, not enough memory,
    // unusable name) changes nothing, pending edits included, and becomes RefusedName(). A running
    // poll timer takes the loaded Polling Delay. Shows nothing.
    LoadResult Load(std::string name);
    // The same for the name the profile holds (a profile just made).
    LoadResult Load() { return Load(profileName); }
    // The profile name whose file the last refused load refused: the name asked for, or the
    // backup for this button count that the load turned to. Empty before any refusal.
    const std::string& RefusedName() const { return refusedName; }
    // After the profile `name` and its stand-in were both refused: the joystick runs on the
    // built-in settings under that name, which has no file to save to (Save reports NoFile).
    void UseBuiltInSettings(const std::string& name);
    // Writes the profile when modified and named, with the button count it was loaded for, and
    // only while the device reports that count (counted as a load counts it); a failed or refused
    // write leaves the modified flag set. Shows nothing.
    SaveResult Save();
    // The stored settings; setting them keeps the combination length, which only comes with a
    // text buffer of its size.
    const ProfileSettings& Settings() const { return stored.settings; }
    void ApplySettings(const ProfileSettings& settings);
    // programDirectory + profile name + ".qvp".
    std::string FilePath() const;
    const ProgramContext& Context() const { return owner; }

    std::string profileName;  // the file name without directory and ".qvp"
    bool modified = false;

  private:
    LoadResult CreateProfile(const std::string& name);
    LoadResult Refuse(LoadResult result, const std::string& name);
    int32_t CurrentButtonCount() const;
    std::string BackupName(const std::string& name) const;
    std::string PathOf(const std::string& name) const;
    bool IsNewerVersionFile(const std::string& path) const;

    const ProgramContext& owner;
    // The button count the profile's file holds, as the last load found it or a creation or backup
    // made it; -1 while the profile has no file.
    int32_t fileButtonCount = -1;
    std::string refusedName;
};
