// A profile as its file holds it: the settings, the mappings, the typed texts and the shift
// button. One value, shared by the file codec, the editor's working copy and the live joystick.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "engine/ActionVocabulary.h"

// The settings a profile file stores, in file order; the defaults of a new profile.
struct ProfileSettings {
    int32_t swapY = 0;
    int32_t swapX = 0;
    int32_t progressive = 0;
    int32_t acceleration = 10;
    int32_t pollingDelay = 50;
    int32_t sensitivity = 6000;
    int32_t threshold = 1000;
    int32_t maxChars = 2;

    bool operator==(const ProfileSettings& other) const;
    bool operator!=(const ProfileSettings& other) const { return !(*this == other); }
};

struct StoredProfile {
    ProfileSettings settings;
    ActionEntries ActionTable{};
    // 72 slots of settings.maxChars bytes; null while the profile has no text buffer, which
    // reads as every slot empty.
    std::unique_ptr<uint8_t[]> CombinationText;
    int32_t shiftButton = 0;  // 0: none, else the button number 1..32
    // Events 37..46, kept apart as the file's extension keeps them: ten entries per table column,
    // and 20 text slots of settings.maxChars bytes (normal, then shifted; null: all empty).
    std::array<int32_t, ColumnCount * ExtraEventCount> extraActions{};
    std::unique_ptr<uint8_t[]> extraText;
    int32_t stick2Axes = 0;  // which axes the second stick uses (SecondStickAxes)

    // The entry of an event 1..46 in a table column 0..3.
    int32_t Action(int tableColumn, int event) const {
        return event <= EventCount
                   ? ActionTable[ActionIndex(tableColumn, event)]
                   : extraActions[ExtraEventCount * tableColumn + event - FirstExtraEvent];
    }
    void SetAction(int tableColumn, int event, int32_t value) {
        (event <= EventCount
             ? ActionTable[ActionIndex(tableColumn, event)]
             : extraActions[ExtraEventCount * tableColumn + event - FirstExtraEvent]) = value;
    }
    int32_t Modifier(Column column, int event) const {
        return Action(column == Column::Shifted ? 2 : 0, event);
    }
    int32_t Key(Column column, int event) const {
        return Action(column == Column::Shifted ? 3 : 1, event);
    }
    // First byte of an event's text slot in a column; null while that buffer is missing.
    const uint8_t* Text(Column column, int event) const;
    uint8_t* Text(Column column, int event) {
        return const_cast<uint8_t*>(static_cast<const StoredProfile*>(this)->Text(column, event));
    }
    // Whether anything of events 37..46 or the second stick's axes is set: only then does the
    // file need its extension.
    bool HasExtension() const;

    // First byte of a text slot; null while there is no text buffer.
    const uint8_t* SlotText(int slot) const {
        return CombinationText ? CombinationText.get() + static_cast<size_t>(slot) * TextWidth()
                               : nullptr;
    }
    // Bytes of the text buffers for the settings' combination length.
    size_t TextBytes() const { return static_cast<size_t>(TextSlotCount) * TextWidth(); }
    size_t ExtraTextBytes() const { return static_cast<size_t>(ExtraTextSlotCount) * TextWidth(); }
    // Texts compare by their bytes; a missing buffer equals one of zeros.
    bool operator==(const StoredProfile& other) const;
    bool operator!=(const StoredProfile& other) const { return !(*this == other); }

  private:
    size_t TextWidth() const { return settings.maxChars > 0 ? settings.maxChars : 0; }
};

// The second stick's axes as stored: 0 Automatic, 1 (U, R), 2 (Z, R), 3 (R, U), 4 (Z, V); any
// other value counts as 0.
enum class SecondStickAxes : int32_t { Automatic = 0, UR = 1, ZR = 2, RU = 3, ZV = 4 };

// A zero-filled text buffer of `slots` slots of `maxChars` bytes; null when there is no memory.
std::unique_ptr<uint8_t[]> AllocateText(int32_t maxChars, int slots = TextSlotCount);
