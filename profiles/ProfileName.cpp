// Profile name checks.
#include "profiles/ProfileName.h"

#include <cstring>

NameProblem CheckProfileName(const std::string& directory, const std::string& name) {
    if (name.empty()) return NameProblem::Empty;
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F || std::strchr("\\/:*?\"<>|", c)) {
            return NameProblem::ForbiddenCharacter;
        }
    }
    if (directory.size() + name.size() + 4 > MaxPathLength) return NameProblem::TooLong;
    return NameProblem::None;
}
