// Profile name checks.
#include "profiles/ProfileName.h"

#include <cctype>
#include <cstring>

namespace {

// Names Windows gives to devices, also with an extension or trailing spaces: "con.qvp" opens the
// console, "nul.qvp" swallows what is written and "com1.qvp" may wait for a serial port.
bool IsDeviceName(const std::string& name) {
    std::string stem = name.substr(0, name.find('.'));
    stem.erase(stem.find_last_not_of(' ') + 1);
    for (char& c : stem) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    static const char* const devices[] = {"con", "prn", "aux", "nul", "conin$", "conout$"};
    for (const char* device : devices) {
        if (stem == device) return true;
    }
    return stem.size() == 4 && (stem.compare(0, 3, "com") == 0 || stem.compare(0, 3, "lpt") == 0) &&
           std::isdigit(static_cast<unsigned char>(stem[3]));
}

}  // namespace

NameProblem CheckProfileName(const std::string& directory, const std::string& name) {
    // A name of spaces only would make a file " .qvp" and a blank item in every list.
    if (name.find_first_not_of(' ') == std::string::npos) return NameProblem::Empty;
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F || std::strchr("\\/:*?\"<>|", c)) {
            return NameProblem::ForbiddenCharacter;
        }
    }
    if (directory.size() + name.size() + ProfileFileExtensionLength > MaxPathLength) {
        return NameProblem::TooLong;
    }
    if (IsDeviceName(name)) return NameProblem::DeviceName;
    return NameProblem::None;
}

std::string Lowered(std::string text) {
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        // A byte from 0x81 on leads a two-byte character: its second byte is no letter.
        if (c >= 0x81) {
            ++i;
        } else if (c >= 'A' && c <= 'Z') {
            text[i] = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && Lowered(a) == Lowered(b);
}
