// The decisions taken as joysticks come and go after start, and while the mappings are paused.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "profiles/Configuration.h"

// Tips of the notification-area icon.
constexpr const char* PlainTip = "Quorvel";
constexpr const char* WaitingTip = "Quorvel - waiting for a joystick";
constexpr const char* PausedTip = "Quorvel - paused";

// What one look at the joysticks changed.
struct PresenceChange {
    uint16_t arrived = 0;
    uint16_t left = 0;
    // Another joystick, or none, is now the one the main control window shows.
    bool currentChanged = false;
    bool Any() const { return arrived != 0 || left != 0; }
};

// Takes the joysticks that answer now. One that left releases what it holds and stops polling;
// it keeps its profile. One that arrived takes a record by its device key (SeatArrivingPads) and
// loads, as at start, the profile the record carries (a departed pad's kept profile, saved first
// when modified), else "Default", and polls when the record's bit is set and not paused.
// When the current joystick left, its profile is saved if modified and the lowest present one
// becomes current (-1 when none is); with none current, the lowest arrival becomes current.
// Enabled bits never change here.
PresenceChange UpdatePresence(ApplicationState& state, uint16_t answering);

// The joystick IDs the selector lists: those present now, ascending.
std::vector<int> SelectorJoysticks(const ApplicationState& state);

// Paused: every joystick releases what it holds and stops polling, and none starts until unpaused;
// then present and enabled joysticks poll again. Nothing is saved.
void SetPaused(ApplicationState& state, bool paused);

// The icon's tip: paused, waiting with no joystick present, the name of the application rule
// that decides for the current joystick ("Quorvel - NAME"), or the program's name.
std::string TrayTip(const ApplicationState& state);
