// qvtool simulate: the real engine against a recorded trace, printing what the focused
// application would receive. Nothing is ever written to disk: the profile is loaded into the
// recording platform's memory.
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <optional>

#include "platform/recording/RecordingPlatform.h"
#include "profiles/JoystickProfile.h"
#include "profiles/ProfileFile.h"
#include "tools/qvtool/Tool.h"

namespace {

constexpr int SimulatedJoystick = 0;

struct Options {
    std::optional<uint32_t> buttons;
    uint32_t maxButtons = 32;
    std::string profilePath, tracePath;
};

// An unsigned value of at most 32 bits, decimal or 0x-hex, the whole token.
bool ParseValue(const char* begin, const char* end, uint32_t& value) {
    int base = 10;
    if (end - begin > 2 && begin[0] == '0' && (begin[1] == 'x' || begin[1] == 'X')) {
        base = 16;
        begin += 2;
    }
    if (begin == end) return false;
    uint64_t result = 0;
    for (const char* c = begin; c != end; ++c) {
        int digit;
        if (*c >= '0' && *c <= '9') {
            digit = *c - '0';
        } else if (base == 16 && *c >= 'a' && *c <= 'f') {
            digit = *c - 'a' + 10;
        } else if (base == 16 && *c >= 'A' && *c <= 'F') {
            digit = *c - 'A' + 10;
        } else {
            return false;
        }
        result = result * base + digit;
        if (result > UINT32_MAX) return false;
    }
    value = static_cast<uint32_t>(result);
    return true;
}

bool ParseArgument(const std::string& text, uint32_t& value) {
    return ParseValue(text.data(), text.data() + text.size(), value);
}

bool ParseOptions(const std::vector<std::string>& args, Options& options) {
    std::vector<std::string> positional;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--buttons" || args[i] == "--max-buttons") {
            uint32_t value = 0;
            if (i + 1 >= args.size() || !ParseArgument(args[i + 1], value)) return false;
            if (args[i] == "--buttons") {
                options.buttons = value;
            } else {
                options.maxButtons = value;
            }
            ++i;
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 2) return false;
    options.profilePath = positional[0];
    options.tracePath = positional[1];
    return true;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

enum class LineKind { Skip, Poll, Unplugged, Malformed };

// The simulated device's axes run over 0..65535.
constexpr uint32_t AxisMax = 65535, AxisCentre = AxisMax / 2;

// Splits one trace line into a reading: X Y BUTTONS, or X Y BUTTONS Z R U V POV; a short line
// reads the other axes at their centre and the hat at rest.
LineKind ParseLine(const char* begin, const char* end, platform::JoystickState& state) {
    while (begin != end && IsBlank(*begin)) ++begin;
    while (end != begin && IsBlank(end[-1])) --end;
    if (begin == end || *begin == '#') return LineKind::Skip;
    if (end - begin == 9 && std::memcmp(begin, "unplugged", 9) == 0) return LineKind::Unplugged;
    constexpr int ShortLine = 3, LongLine = 8;
    uint32_t values[LongLine] = {0,          0,          0,          AxisCentre,
                                 AxisCentre, AxisCentre, AxisCentre, platform::PovCentred};
    int count = 0;
    for (const char* token = begin; token != end;) {
        const char* tokenEnd = token;
        while (tokenEnd != end && !IsBlank(*tokenEnd)) ++tokenEnd;
        if (count == LongLine || !ParseValue(token, tokenEnd, values[count])) {
            return LineKind::Malformed;
        }
        ++count;
        token = tokenEnd;
        while (token != end && IsBlank(*token)) ++token;
    }
    if (count != ShortLine && count != LongLine) return LineKind::Malformed;
    state = {values[0], values[1], values[2], values[3],
             values[4], values[5], values[6], values[7]};
    return LineKind::Poll;
}

// Prints the inputs the engine sent since the last call, and forgets them.
void PrintCalls(std::FILE* out) {
    for (const recording::Call& call : recording::Calls()) {
        switch (call.kind) {
            case recording::CallKind::KeyDown:
                std::fprintf(out, "key down 0x%02x\n", call.a);
                break;
            case recording::CallKind::KeyUp:
                std::fprintf(out, "key up 0x%02x\n", call.a);
                break;
            case recording::CallKind::Move:
                std::fprintf(out, "move %d %d\n", call.a, call.b);
                break;
            case recording::CallKind::MouseButtons:
                std::fprintf(out, "mouse 0x%04x %d %d\n", static_cast<unsigned>(call.a), call.b,
                             call.c);
                break;
            case recording::CallKind::Wheel:
                std::fprintf(out, "%s %d\n", call.a ? "hwheel" : "wheel", call.b);
                break;
            default:
                break;
        }
    }
    recording::Calls().clear();
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "qvtool: %s\n", message.c_str());
    return ExitBadInput;
}

}  // namespace

int SimulateCommand(const std::vector<std::string>& args, std::FILE* out) {
    Options options;
    if (!ParseOptions(args, options)) {
        std::fputs("usage: qvtool simulate [--buttons N] [--max-buttons M] PROFILE TRACE\n",
                   stderr);
        return ExitBadInput;
    }
    std::vector<uint8_t> profileBytes, trace;
    if (!ReadDiskFile(options.profilePath, profileBytes)) {
        return Fail("cannot read profile " + options.profilePath);
    }
    ProfileHeader header;
    if (DecodeProfileHeader(profileBytes, header) != ProfileDecodeError::None) {
        return Fail("profile " + options.profilePath + " is damaged");
    }
    if (!ReadDiskFile(options.tracePath, trace)) {
        return Fail("cannot read trace " + options.tracePath);
    }

    recording::Reset();
    const ProgramContext context{"", PlatformWindowsNt};
    recording::Files()["simulated.qvp"] = profileBytes;
    recording::Joystick& joystick = recording::JoystickAt(SimulatedJoystick);
    // Every axis over 0..65535, and a hat that reports its angle.
    platform::JoystickCaps& caps = joystick.caps;
    caps = {};
    caps.xMax = caps.yMax = caps.zMax = caps.rMax = caps.uMax = caps.vMax = AxisMax;
    caps.numButtons = options.buttons.value_or(static_cast<uint32_t>(header.buttonCount));
    caps.maxButtons = options.maxButtons;
    caps.hasZ = caps.hasR = caps.hasU = caps.hasV = caps.hasPov = true;

    JoystickProfile profile(context, SimulatedJoystick);
    switch (profile.Load("simulated")) {
        case LoadResult::NewerVersion:
            return Fail("profile " + options.profilePath + " was made by a newer version");
        case LoadResult::Damaged:
            return Fail("profile " + options.profilePath + " is damaged");
        default:
            break;
    }
    profile.StartPolling();
    recording::Calls().clear();

    const char* cursor = reinterpret_cast<const char*>(trace.data());
    const char* const traceEnd = cursor + trace.size();
    uint64_t pollNumber = 0;
    for (uint64_t lineNumber = 1; cursor < traceEnd; ++lineNumber) {
        const char* lineEnd =
            static_cast<const char*>(std::memchr(cursor, '\n', traceEnd - cursor));
        if (lineEnd == nullptr) lineEnd = traceEnd;
        platform::JoystickState state;
        const LineKind kind = ParseLine(cursor, lineEnd, state);
        cursor = lineEnd + 1;
        if (kind == LineKind::Skip) continue;
        if (kind == LineKind::Malformed) {
            std::fflush(out);
            return Fail(
                options.tracePath + ":" + std::to_string(lineNumber) +
                ": malformed line (expected X Y BUTTONS, X Y BUTTONS Z R U V POV or unplugged)");
        }
        joystick.answers = kind == LineKind::Poll;
        joystick.state = state;
        std::fprintf(out, "poll %" PRIu64 "\n", ++pollNumber);
        profile.Poll();
        PrintCalls(out);
    }
    std::fputs("stop\n", out);
    profile.StopPolling();
    PrintCalls(out);
    return 0;
}
