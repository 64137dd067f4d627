// Which profile names may form a file name, and why the others may not.
#include <gtest/gtest.h>

#include "profiles/ProfileName.h"

TEST(ProfileName, EachUnusableNameIsRefusedForItsReason) {
    const std::string dir = "C:\\Q\\";  // 5 characters
    const struct {
        std::string directory, name;
        NameProblem expected;
    } cases[] = {
        {dir, "Pad", NameProblem::None},
        {dir, "My pad 2.old", NameProblem::None},
        {dir, "\xE9t\xE9", NameProblem::None},  // code-page letters
        {dir, "", NameProblem::Empty},
        {dir, "   ", NameProblem::Empty},
        {dir, " a ", NameProblem::None},
        {dir, "a\\b", NameProblem::ForbiddenCharacter},
        {dir, "a/b", NameProblem::ForbiddenCharacter},
        {dir, "a:b", NameProblem::ForbiddenCharacter},
        {dir, "a*b", NameProblem::ForbiddenCharacter},
        {dir, "a?b", NameProblem::ForbiddenCharacter},
        {dir, "a\"b", NameProblem::ForbiddenCharacter},
        {dir, "a<b", NameProblem::ForbiddenCharacter},
        {dir, "a>b", NameProblem::ForbiddenCharacter},
        {dir, "a|b", NameProblem::ForbiddenCharacter},
        {dir, "..\\Windows\\win", NameProblem::ForbiddenCharacter},
        {dir, "\x01", NameProblem::ForbiddenCharacter},
        {dir, "a\tb", NameProblem::ForbiddenCharacter},
        {dir, "\x1F", NameProblem::ForbiddenCharacter},
        {dir, "\x7F", NameProblem::ForbiddenCharacter},
        {dir, std::string(246, 'n'), NameProblem::None},  // 5 + 246 + 4 = 255
        {dir, std::string(247, 'n'), NameProblem::TooLong},
        {std::string(250, 'd'), "a", NameProblem::None},
        {std::string(251, 'd'), "a", NameProblem::TooLong},
        {dir, "NUL", NameProblem::DeviceName},
        {dir, "con", NameProblem::DeviceName},
        {dir, "Com1", NameProblem::DeviceName},
        {dir, "lpt9.old", NameProblem::DeviceName},
        {dir, "aux ", NameProblem::DeviceName},
        {dir, "CONOUT$", NameProblem::DeviceName},
        {dir, "console", NameProblem::None},
        {dir, "com10", NameProblem::None},
        {dir, "nulpad", NameProblem::None},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckProfileName(c.directory, c.name), c.expected) << c.name;
    }
}
