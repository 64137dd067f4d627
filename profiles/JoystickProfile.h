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
enum class SaveResult { NotNeeded, Saved, Failed, KeptInTemporary, NewerFileKept };

// A present joystick with the profile it uses: the profile's name, whether the joystick holds
// changes its file does not hold yet, and the loading and saving of that file.
class JoystickProfile : public LiveJoystick {
  public:
    // Stores the owner and ID and runs the device set-up; the profile is empty until a load.
    JoystickProfile(const ProgramContext& owner, int joystickId);

    // Makes `name` the profile in use, read from its file: creates the file when missing, and
    // makes a backup profile when the button count changed. A refused file (damaged, unreadable,
    // not enough memory, unusable name) changes nothing, pending edits included. Shows nothing.
    LoadResult Load(std::string name);
    // The same for the name the profile holds (a profile just made).
    LoadResult Load() { return Load(profileName); }
    // Writes the profile when modified and named; a failed write leaves the modified flag set.
    // Shows nothing.
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
    int32_t CurrentButtonCount() const;
    std::string BackupName(const std::string& name) const;
    std::string PathOf(const std::string& name) const;
    bool IsNewerVersionFile(const std::string& path) const;

    const ProgramContext& owner;
};
