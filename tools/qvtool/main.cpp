// qvtool: inspects profile files, runs a profile against a recorded joystick trace and tells what
// application rules decide.
#include <cstdio>
#include <cstring>

#include "tools/qvtool/Tool.h"

namespace {

void PrintUsage() {
    std::fputs(
        "usage: qvtool show FILE\n"
        "       qvtool default-config FILE\n"
        "       qvtool simulate [--buttons N] [--max-buttons M] PROFILE TRACE\n"
        "       qvtool rules FILE PROGRAM [TITLE]\n",
        stderr);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        PrintUsage();
        return ExitBadInput;
    }
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "show") return ShowCommand(args, stdout);
    if (command == "simulate") return SimulateCommand(args, stdout);
    if (command == "default-config") return DefaultConfigCommand(args);
    if (command == "rules") return RulesCommand(args, stdout);
    PrintUsage();
    return ExitBadInput;
}
