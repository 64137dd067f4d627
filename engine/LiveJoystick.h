// One present joystick at work: the stored profile it fires, what the device reports about
// itself, and what the poller carries from one poll to the next.
#pragma once

#include <cstdint>

#include "engine/ActionVocabulary.h"
#include "engine/ControlReading.h"
#include "engine/StoredProfile.h"
#include "platform/Platform.h"

class LiveJoystick {
  public:
    // Runs the device set-up for that joystick ID.
    explicit LiveJoystick(int joystickId);
    // Releases held input and stops the poll timer when it runs.
    virtual ~LiveJoystick();
    LiveJoystick(const LiveJoystick&) = delete;
    LiveJoystick& operator=(const LiveJoystick&) = delete;

    // Reads the position record afresh and the device's capabilities; sets the centres. False
    // when the capabilities could not be read: the device then reads as having no axis range and
    // no button until the next set-up that can read them.
    bool SetUpDevice();
    // Whether the last set-up read the device's capabilities.
    bool HasCaps() const { return capsRead; }
    // The device's button count, at most 32: the buttons the poll and the editor know.
    int32_t ButtonCount() const;

    // One poll of the joystick: pointer motion and event presses and releases.
    void Poll();
    // Starts the poll timer unless it runs.
    void StartPolling();
    // Releases held input, then stops the poll timer if it runs.
    void StopPolling();
    bool IsPolling() const { return timerRunning; }
    // A new Polling Delay; a running poll timer takes the new period at once.
    void ApplyPollingDelay(int32_t delayMs);
    // A running poll timer takes the stored Polling Delay when its period differs; a stopped one
    // takes it at its next start.
    void FollowPollingDelay();
    // Releases every held event in ascending order and forgets latches, button words and shift,
    // so inputs still held are pressed afresh at the next poll.
    void ReleaseHeld();
    // Muted, the joystick sends nothing and holds nothing while its polls go on reading the
    // device. Muting releases what it holds; when the mute ends, every control active then
    // fires nothing until it has been released.
    void SetMuted(bool muted);
    bool IsMuted() const { return muted; }
    // Releases what the joystick holds, as at a profile switch; every control active now (a
    // button, a stick direction, a D-pad direction, a Z half) fires nothing until it has been
    // released.
    void HoldOff();
    // The device's reading at the last poll and at the one before it, as reported (a poll that
    // got no answer reads as centred with nothing pressed).
    const platform::JoystickState& Reading() const { return position; }
    const platform::JoystickState& PreviousReading() const { return previousReading; }

    // Fire one event in the column in force (a held event is released from its own column).
    void PressEvent(int event);
    void ReleaseEvent(int event);
    bool IsHeld(int event) const { return (heldMask >> event) & 1u; }
    // What the device reported at the last set-up.
    const platform::JoystickCaps& Caps() const { return caps; }

    // The profile this joystick fires; whoever replaces it releases what is held first.
    StoredProfile stored;
    const int joystickId;

  protected:
    // What the device reports, as the last set-up read it.
    platform::JoystickCaps caps;
    bool capsRead = false;

  private:
    enum class Click { Down, Up, Double };
    // What one stick carries from poll to poll.
    struct StickState {
        // Bits 0x01..0x08: Up, Right, Down, Left pressed; 0x10..0x80: moving the pointer or the
        // wheel.
        uint8_t DirectionLatch = 0;
        // Consecutive polls, up to the last one, in which a direction of the stick moved.
        int32_t MotionStreak = 0;
        int32_t xCarry = 0, yCarry = 0;
        // Wheel units turned but not sent yet: less than a notch, or beyond one event's reach.
        int64_t wheelX = 0, wheelY = 0;
        // Bits 0x01..0x08: that direction fires nothing until the stick leaves it.
        uint8_t ignored = 0;
    };

    bool ApplyShiftRule(int event, bool press);
    // Every axis at its centre, no button down, the hat at rest.
    platform::JoystickState RestingReading() const {
        return {centreX, centreY, 0, centreZ, centreR, centreU, centreV, platform::PovCentred};
    }
    Column ColumnInForce() const { return ShiftActive ? Column::Shifted : Column::Normal; }
    bool Refires(Column column, int event) const;
    void SendMouseAction(platform::MouseButton button, Click click);
    void TypeCombination(const uint8_t* slot, bool down);
    void FirePress(Column column, int event);
    void FireRelease(Column column, int event);
    Column PollColumn() const {
        return ShiftActive && stored.shiftButton != 0 ? Column::Shifted : Column::Normal;
    }
    void PollStick(StickState& stick, int firstEvent, AxisReading x, AxisReading y, bool swapX,
                   bool swapY, Column column);
    bool PollDirection(StickState& stick, int event, int direction, bool active, Column column,
                       int32_t dx, int32_t dy, int32_t carry);
    void TurnWheel(int64_t& remainder, bool horizontal, int64_t units);
    void PollButtons();
    void PollExtras();
    void PollKeyEvent(int event, bool active, Column column);
    // What of `active` may fire: `ignored` forgets what is no longer active, takes in everything
    // active while this poll ignores it (muted, or the first poll after a hold-off), and masks
    // the rest.
    template <typename Bits>
    Bits Unignored(Bits active, Bits& ignored) const {
        ignored = static_cast<Bits>(ignored & active);
        if (ignoringActive) ignored = active;
        return static_cast<Bits>(active & ~ignored);
    }

    uint32_t centreX = 0, centreY = 0, centreZ = 0, centreR = 0, centreU = 0, centreV = 0;
    // The device has an axis besides X and Y, or a point-of-view hat.
    bool hasExtras = false;
    // The device's reading at this poll and at the previous one.
    platform::JoystickState position, previousReading;
    // A poll has read the device since the last set-up.
    bool readSinceSetUp = false;
    // The button word the previous poll fired from (ignored buttons left out).
    uint32_t previousButtons = 0;
    // Buttons, and D-pad and Z events (bit e - 37), that fire nothing until released.
    uint32_t ignoredButtons = 0;
    uint16_t ignoredKeys = 0;
    bool muted = false;
    // The next poll ignores every control active in its reading.
    bool holdOffPending = false;
    // Set during a poll that ignores every active control.
    bool ignoringActive = false;
    bool timerRunning = false;
    int32_t timerPeriodMs = 0;  // the Polling Delay the running timer was started with
    StickState firstStick, secondStick;
    // Bit e - 37: D-pad or Z event e is pressed.
    uint16_t keyLatch = 0;
    bool ShiftActive = false;
    // Bit e: event e is held; bit e of heldShifted: it was pressed in the shifted column.
    uint64_t heldMask = 0;
    uint64_t heldShifted = 0;
};
