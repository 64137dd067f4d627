// A profile as its file holds it: the settings, the mappings, the typed texts and the shift
// button. One value, shared by the file codec, the editor's working copy and the live joystick.
#pragma once

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

    // First byte of a text slot; null while there is no text buffer.
    const uint8_t* SlotText(int slot) const {
        return CombinationText ? CombinationText.get() + static_cast<size_t>(slot) * TextWidth()
                               : nullptr;
    }
    // Bytes of the text buffer for the settings' combination length.
    size_t TextBytes() const { return static_cast<size_t>(TextSlotCount) * TextWidth(); }
    // Texts compare by their bytes; a missing buffer equals one of zeros.
    bool operator==(const StoredProfile& other) const;
    bool operator!=(const StoredProfile& other) const { return !(*this == other); }

  private:
    size_t TextWidth() const { return settings.maxChars > 0 ? settings.maxChars : 0; }
};

// A zero-filled text buffer of 72 slots of `maxChars` bytes; null when there is no memory for it.
std::unique_ptr<uint8_t[]> AllocateText(int32_t maxChars);
