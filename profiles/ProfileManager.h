// The profile manager's decisions: which profile files the list and the Profile Manager submenu
// show and under which names, and selecting, adding and deleting the current joystick's profile.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "profiles/Configuration.h"
#include "profiles/Messages.h"

// Command identifier of the first profile item; item i has FirstProfileCommand + i.
constexpr uint16_t FirstProfileCommand = 40500;
// The most profile items: their identifiers stay below 0xFFFF, the last one a command's low word
// can carry apart from the -1 of controls without an identifier.
constexpr size_t MaxProfileEntries = 0xFFFF - FirstProfileCommand;

// One profile file, in list order.
struct ProfileEntry {
    std::string fileName;     // as listed, with its ".qvp"
    std::string profileName;  // the item's text: the name the shell shows, without ".qvp"
};

// `name` without a final ".qvp" in any letter case.
std::string WithoutProfileExtension(const std::string& name);

// The files of `names` (as listed in `directory`) that are profiles: names ending with ".qvp" in
// any letter case whose rest is a usable profile name, sorted without regard to letter case.
std::vector<std::string> SortedProfileFiles(const std::string& directory,
                                            const std::vector<std::string>& names);

// The profile name of a listed file: the shell's display name without ".qvp" when it is the file
// name (with or without ".qvp") in some letter case; otherwise the file name without ".qvp".
std::string ProfileNameOf(const std::string& fileName, const std::string& displayName);

// Joystick `id` switches to the profile `name` as a choice in the Profile Manager submenu makes
// it: its profile is saved when modified, then `name` is loaded (releasing what the joystick
// holds) and the device set up again; a refused file leaves the joystick on what it has. What the
// user is told goes to `told`. Returns true when `name` is in use; false, changing nothing, for
// a joystick without a profile. Whose choice it was (the user's, a rule's) is the caller's.
bool SwitchProfile(ApplicationState& state, int id, const std::string& name, Notices& told);

enum class AddResult { Ignored, Refused, Added };
struct AddOutcome {
    AddResult result;
    MessageText refusal;  // Refused: shown over the dialog, which stays open
};

class ProfileManager {
  public:
    explicit ProfileManager(ApplicationState& programState) : state(programState) {}

    // Lists the profile files afresh and gives the current profile the letter case under which
    // its file is shown; a current profile whose file is missing keeps its name. The shell then
    // rebuilds the submenu from Entries() and shows CurrentName() in control 1029.
    void Refresh();
    // The profile files at the last Refresh, the first MaxProfileEntries in list order; entry i
    // stands for FirstProfileCommand + i.
    const std::vector<ProfileEntry>& Entries() const { return entries; }
    // The current joystick's profile name; empty while it has no profile.
    std::string CurrentName() const;
    // Whether the profile commands (the items, Add, Delete) have a joystick to act on: one is
    // current. The shell greys them while none is.
    bool HasJoystick() const { return Current() != nullptr; }

    // True for a command identifier (low word of wParam, unsigned) of a profile item.
    static bool IsProfileCommand(uint16_t command) { return command >= FirstProfileCommand; }
    // A profile item: the current joystick switches to the item's profile (SwitchProfile), which
    // becomes its own profile, followed until the application in front changes; a refused file
    // changes nothing. Then refreshes. What the user is told goes to the notices. Returns false,
    // changing nothing, for an identifier without an entry; on true the shell refreshes its view.
    bool Select(uint16_t command);
    // The entry of the current joystick's profile, the one in force, for the submenu's check
    // mark; -1 when no entry is.
    int CurrentEntry() const;

    // "Add" with the typed text: Ignored when empty; Refused, with the message, when the text
    // without ".qvp" cannot be a file name; otherwise the current profile takes the name (that of
    // an existing profile differing only in letter case) and loads it, unsaved, then refreshes.
    AddOutcome Add(const std::string& typed);

    // The names the Delete Profile dialog offers, in list order.
    std::vector<std::string> DeleteChoices() const;
    // Deletes the file of the listed profile `name`, even one in use (profiles keep their name
    // and settings), then refreshes. False when no entry has that name or the deletion failed.
    bool Delete(const std::string& name);

  private:
    JoystickProfile* Current() const;
    std::vector<ProfileEntry> ListEntries() const;
    // Loads `name` into the profile and notes what the user is told; false when it was refused.
    // A profile loaded becomes the joystick's own, chosen by hand.
    bool Use(JoystickProfile& profile, const std::string& name);

    ApplicationState& state;
    std::vector<ProfileEntry> entries;
};
