// Whether a profile name may form a file name.
#pragma once

#include <string>

enum class NameProblem { None, Empty, ForbiddenCharacter, TooLong, DeviceName };

// What a profile name is followed by in its file's name.
constexpr const char* ProfileFileExtension = ".qvp";
constexpr size_t ProfileFileExtensionLength = 4;

// The longest file name the program forms: directory + name + ".qvp".
constexpr size_t MaxPathLength = 255;

// None when directory + name + ".qvp" is a usable file name: the name is not empty nor spaces
// only (Empty), holds none of \ / : * ? " < > | nor a control character, is not a name Windows
// gives a device (CON, NUL, COM1, ...), and the whole fits in 255 characters.
NameProblem CheckProfileName(const std::string& directory, const std::string& name);

// `text` with single-byte A..Z folded to a..z, the letter case profile names ignore; a byte from
// 0x81 on and the byte after it (a two-byte character) are kept as they are.
std::string Lowered(std::string text);
// Whether two names are the same but for the letter case Lowered folds.
bool SameIgnoringCase(const std::string& a, const std::string& b);
