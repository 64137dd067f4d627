// Runs a command and reports its whole 32-bit exit code, which wine itself cuts to 8 bits:
//   launch COMMAND LINE...
// Prints "pid N" once the process runs and "exit N" (signed decimal) when it has ended, and
// returns the code as well. The rest of our own command line is passed on unchanged.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace {

// The command line after our own program name, exactly as it was given.
const char* ArgumentsOf(const char* line) {
    bool quoted = false;
    for (; *line != '\0'; ++line) {
        if (*line == '"') quoted = !quoted;
        if (!quoted && (*line == ' ' || *line == '\t')) break;
    }
    while (*line == ' ' || *line == '\t') ++line;
    return line;
}

}  // namespace

int main() {
    _setmode(_fileno(stdout), _O_BINARY);  // Unix line ends for the scripts
    char command[4096];
    const char* arguments = ArgumentsOf(GetCommandLineA());
    if (*arguments == '\0' || lstrlenA(arguments) >= static_cast<int>(sizeof command)) {
        std::fputs("usage: launch COMMAND LINE...\n", stderr);
        return 2;
    }
    lstrcpyA(command, arguments);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::printf("cannot start (error %lu)\n", GetLastError());
        return 2;
    }
    std::printf("pid %lu\n", process.dwProcessId);
    std::fflush(stdout);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    std::printf("exit %ld\n", static_cast<long>(code));
    std::fflush(stdout);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}
