// The live state of one present joystick: its profile's settings and mappings, what the device
// reports, and what the poller carries from one poll to the next.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/ActionVocabulary.h"
#include "platform/Platform.h"
#include "profiles/ProfileFile.h"
#include "profiles/ProgramContext.h"

// What a load did. Damaged, Unreadable, NoMemory and BadName are refusals: the profile is exactly
// as it was before the call. NotSaved: the profile is in use but its new file (a missing profile,
// or a backup) could not be written, so it stays modified.
enum class LoadResult {
    Loaded,
    Created,
    BackedUp,
    BackupLoaded,
    NotSaved,
    Damaged,
    Unreadable,
    NoMemory,
    BadName
};
constexpr bool IsRefusal(LoadResult result) { return result >= LoadResult::Damaged; }

// KeptInTemporary: the old file is gone and the new content is whole in "<file>.tmp".
enum class SaveResult { NotNeeded, Saved, Failed, KeptInTemporary };

class JoystickProfile {
  public:
    // Stores the owner and ID, sets the construction defaults and runs the device set-up.
    JoystickProfile(const ProgramContext& owner, int joystickId);
    // Releases held input and stops the poll timer when it runs.
    virtual ~JoystickProfile();
    JoystickProfile(const JoystickProfile&) = delete;
    JoystickProfile& operator=(const JoystickProfile&) = delete;

    // Reads the position record afresh and the device's capabilities; sets the centres.
    void SetUpDevice();

    // Makes `name` the profile in use, read from its file: creates the file when missing, and
    // makes a backup profile when the button count changed. A refused file (damaged, unreadable,
    // not enough memory, unusable name) changes nothing, pending edits included. Shows nothing.
    LoadResult Load(std::string name);
    // The same for the name the profile holds (a profile just made).
    LoadResult Load() { return Load(profileName); }
    // Writes the profile when modified and named; a failed write leaves the modified flag set.
    // Shows nothing.
    SaveResult Save();
    // The settings a profile file stores, in file order; and setting them all at once.
    ProfileSettings Settings() const;
    void ApplySettings(const ProfileSettings& settings);
    // programDirectory + profile name + ".qvp".
    std::string FilePath() const;
    // The button count a file written now holds: the device's count, at most 32.
    int32_t ButtonCount() const;

    // One poll of the joystick: pointer motion and event presses and releases.
    void Poll();
    // Starts the poll timer unless it runs.
    void StartPolling();
    // Releases held input, then stops the poll timer if it runs.
    void StopPolling();
    // Releases every held event in ascending order and forgets latches, button words and shift,
    // so inputs still held are pressed afresh at the next poll.
    void ReleaseHeld();

    // Fire one event in the column in force (a held event is released from its own column).
    void PressEvent(int event);
    void ReleaseEvent(int event);

    const ProgramContext& Context() const { return owner; }
    // First byte of a text slot; null while the profile has no text buffer.
    const uint8_t* SlotText(int slot) const {
        return CombinationText ? CombinationText.get() + slot * MaxChars : nullptr;
    }
    bool IsHeld(int event) const { return (heldMask >> event) & 1u; }

    // Stored settings and mappings.
    ActionEntries ActionTable{};
    std::unique_ptr<uint8_t[]> CombinationText;  // 72 * MaxChars bytes
    std::string profileName;
    int32_t sensitivity = 0;
    int32_t acceleration = 0;
    int32_t threshold = 0;
    int32_t pollingDelay = 0;
    bool modified = false;
    int32_t swapY = 0;
    int32_t swapX = 0;
    int32_t progressive = 0;
    int32_t MaxChars = 2;
    int32_t shiftButton = 0;

    // Device and poll state, never stored.
    platform::JoystickCaps caps;
    uint32_t centreX = 0, centreY = 0;
    platform::JoystickState position;
    uint32_t previousButtons = 0;
    const int joystickId;
    bool timerRunning = false;
    int32_t MotionStreak = 0;
    int32_t xCarry = 0, yCarry = 0;
    uint8_t DirectionLatch = 0;
    bool ShiftActive = false;

  private:
    LoadResult CreateProfile(const std::string& name);
    int32_t CurrentButtonCount() const;
    std::string BackupName(const std::string& name) const;
    std::string PathOf(const std::string& name) const;
    bool ApplyShiftRule(int event, bool press);
    Column ColumnInForce() const { return ShiftActive ? Column::Shifted : Column::Normal; }
    bool Refires(Column column, int event) const;
    enum class Click { Down, Up, Double };
    void SendMouseAction(platform::MouseButton button, Click click);
    void TypeCombination(const uint8_t* slot, bool down);
    void FirePress(Column column, int event);
    void FireRelease(Column column, int event);
    bool PollDirection(int direction, bool active, Column column, int32_t dx, int32_t dy,
                       int32_t carry);
    void PollButtons();

    const ProgramContext& owner;
    // Bit e: event e is held; bit e of heldShifted: it was pressed in the shifted column.
    uint64_t heldMask = 0;
    uint64_t heldShifted = 0;
};
