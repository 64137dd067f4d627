// Stand-in winmm.dll for end-to-end runs: joysticks scripted in the file named by QV_JOYSTICKS.
//
// Script lines (blank lines and lines starting with # are skipped; numbers decimal or 0x-hex):
//   joystick ID XMIN XMAX YMIN YMAX NUMBUTTONS MAXBUTTONS   ID answers joySetCapture, with caps
//   poll ID X Y BUTTONS                                     next reading of ID
//   poll ID unplugged                                       a reading that fails
//   axes ID ZMIN ZMAX RMIN RMAX UMIN UMAX VMIN VMAX POV     ID also has Z, R, U, V where that
//                                                           axis's MIN < MAX, and a hat: POV 0
//                                                           none, 1 four-direction, 2 continuous
//   poll ID X Y BUTTONS Z R U V POV                         a reading of every axis and the hat
//                                                           (hundredths of a degree; 65535 at rest)
//   appear ID MS                                            ID answers only from MS on
//   disappear ID MS                                         ID answers no more from MS on
//   regkey ID NAME                                          joyGetDevCapsA reports NAME as
//                                                           szRegKey (empty without the line)
// MS counts milliseconds from the first joystick call of the process; an ID that does not answer
// fails every call as an unplugged one.
// Each joyGetPosEx of an ID returns the next reading of its list and then keeps returning the
// last one. When the script file is replaced (a new write time) every list starts again from
// its first reading. Once an ID has served its last reading and is asked again, the file
// "<script>.<ID>.done" is created: the poll of the last reading is then complete.
// QV_JOYCALLS, when set, names a file that receives one line per capture and caps call.
// QV_POLLTIMES, when set, names a file that receives "<ms> <ID>" for every joyGetPosEx, the
// milliseconds (with microseconds) since the first joystick call; written out at every 4096th
// line and when the process ends.
#define _WINMM_
#include <windows.h>

#include <mmsystem.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr UINT StickCount = 16;

struct Reading {
    bool answers = true;
    DWORD x = 0, y = 0, buttons = 0;
    DWORD z = 0, r = 0, u = 0, v = 0, pov = JOY_POVCENTERED;
};

// The axes besides X and Y and the hat, from an "axes" line; none by default.
struct ExtraCaps {
    DWORD zMin = 0, zMax = 0, rMin = 0, rMax = 0, uMin = 0, uMax = 0, vMin = 0, vMax = 0;
    DWORD pov = 0;  // 0 none, 1 four-direction, 2 continuous
};

struct Stick {
    bool present = false;
    DWORD xMin = 0, xMax = 65535, yMin = 0, yMax = 65535;
    UINT numButtons = 0, maxButtons = 0;
    ExtraCaps extra;
    std::vector<Reading> readings;
    size_t served = 0;  // readings handed out since the script was loaded
    bool doneMarked = false;
    DWORD appearMs = 0, disappearMs = 0xFFFFFFFF;  // answering from, and until
    std::string regKey;
};

struct Script {
    bool loaded = false;
    std::string path;
    FILETIME writeTime = {0, 0};
    Stick sticks[StickCount];
};

Script& TheScript() {
    static Script script;
    return script;
}

// Milliseconds since the first call that asked.
double ElapsedMs() {
    static LARGE_INTEGER start = {}, frequency = {};
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    if (frequency.QuadPart == 0) {
        QueryPerformanceFrequency(&frequency);
        start = now;
    }
    return static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 /
           static_cast<double>(frequency.QuadPart);
}

// The QV_POLLTIMES file, buffered so that logging costs the polls little.
struct PollLog {
    FILE* file = nullptr;
    bool opened = false;
    unsigned lines = 0;
    ~PollLog() {
        if (file != nullptr) std::fclose(file);
    }
    void Add(UINT id) {
        if (!opened) {
            opened = true;
            char path[MAX_PATH] = "";
            if (GetEnvironmentVariableA("QV_POLLTIMES", path, sizeof path) != 0) {
                file = std::fopen(path, "wb");
            }
        }
        if (file == nullptr) return;
        std::fprintf(file, "%.3f %u\n", ElapsedMs(), id);
        if (++lines % 4096 == 0) std::fflush(file);
    }
};
PollLog pollLog;

bool ParseNumber(const char* token, DWORD& value) {
    if (token == nullptr) return false;
    char* end = nullptr;
    const unsigned long parsed = std::strtoul(token, &end, 0);
    if (end == token || *end != '\0') return false;
    value = static_cast<DWORD>(parsed);
    return true;
}

// The rest of an "axes" line; a line cut short changes nothing.
void ParseAxes(Stick& stick, const char* separators) {
    DWORD v[9];
    for (DWORD& value : v) {
        if (!ParseNumber(std::strtok(nullptr, separators), value)) return;
    }
    stick.extra = {v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]};
}

// The five values after X Y BUTTONS of a poll line, when it has them.
void ParseExtraReading(Reading& reading, const char* separators) {
    DWORD v[5];
    for (DWORD& value : v) {
        if (!ParseNumber(std::strtok(nullptr, separators), value)) return;
    }
    reading.z = v[0], reading.r = v[1], reading.u = v[2], reading.v = v[3], reading.pov = v[4];
}

void ParseLine(char* line, Stick (&sticks)[StickCount]) {
    const char* separators = " \t\r\n";
    const char* word = std::strtok(line, separators);
    if (word == nullptr || word[0] == '#') return;
    DWORD id = 0;
    if (!ParseNumber(std::strtok(nullptr, separators), id) || id >= StickCount) return;
    Stick& stick = sticks[id];
    if (std::strcmp(word, "joystick") == 0) {
        DWORD v[6];
        for (DWORD& value : v) {
            if (!ParseNumber(std::strtok(nullptr, separators), value)) return;
        }
        stick.present = true;
        stick.xMin = v[0];
        stick.xMax = v[1];
        stick.yMin = v[2];
        stick.yMax = v[3];
        stick.numButtons = v[4];
        stick.maxButtons = v[5];
    } else if (std::strcmp(word, "poll") == 0) {
        char* first = std::strtok(nullptr, separators);
        Reading reading;
        if (first != nullptr && std::strcmp(first, "unplugged") == 0) {
            reading.answers = false;
        } else if (!ParseNumber(first, reading.x) ||
                   !ParseNumber(std::strtok(nullptr, separators), reading.y) ||
                   !ParseNumber(std::strtok(nullptr, separators), reading.buttons)) {
            return;
        } else {
            ParseExtraReading(reading, separators);
        }
        stick.readings.push_back(reading);
    } else if (std::strcmp(word, "regkey") == 0) {
        const char* name = std::strtok(nullptr, separators);
        if (name != nullptr) stick.regKey = name;
    } else if (std::strcmp(word, "axes") == 0) {
        ParseAxes(stick, separators);
    } else if (std::strcmp(word, "appear") == 0 || std::strcmp(word, "disappear") == 0) {
        DWORD ms = 0;
        if (!ParseNumber(std::strtok(nullptr, separators), ms)) return;
        (word[0] == 'a' ? stick.appearMs : stick.disappearMs) = ms;
    }
}

bool WriteTimeOf(const std::string& path, FILETIME& out) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
    out = data.ftLastWriteTime;
    return true;
}

void Load(Script& script) {
    FILE* file = std::fopen(script.path.c_str(), "rb");
    if (file == nullptr) return;
    Stick fresh[StickCount];
    char line[512];
    while (std::fgets(line, sizeof line, file) != nullptr) ParseLine(line, fresh);
    std::fclose(file);
    for (UINT id = 0; id < StickCount; ++id) script.sticks[id] = fresh[id];
    script.loaded = true;
}

// The script, loaded at the first call and again whenever the file has been replaced.
Script& CurrentScript() {
    Script& script = TheScript();
    if (script.path.empty()) {
        char path[MAX_PATH] = "";
        if (GetEnvironmentVariableA("QV_JOYSTICKS", path, sizeof path) == 0) return script;
        script.path = path;
    }
    FILETIME stamp;
    if (!WriteTimeOf(script.path, stamp)) return script;
    if (!script.loaded || CompareFileTime(&stamp, &script.writeTime) != 0) {
        script.writeTime = stamp;
        Load(script);
    }
    return script;
}

void LogCall(const std::string& line) {
    char path[MAX_PATH] = "";
    if (GetEnvironmentVariableA("QV_JOYCALLS", path, sizeof path) == 0) return;
    FILE* file = std::fopen(path, "ab");
    if (file == nullptr) return;
    std::fprintf(file, "%s\n", line.c_str());
    std::fclose(file);
}

void MarkDone(const Script& script, UINT id) {
    const std::string marker = script.path + "." + std::to_string(id) + ".done";
    FILE* file = std::fopen(marker.c_str(), "wb");
    if (file != nullptr) std::fclose(file);
}

bool Answers(const Stick& stick) {
    const double now = ElapsedMs();
    return stick.present && now >= stick.appearMs && now < stick.disappearMs;
}

const Stick* PresentStick(UINT id) {
    if (id >= StickCount) return nullptr;
    const Stick& stick = CurrentScript().sticks[id];
    return Answers(stick) ? &stick : nullptr;
}

// The reading for this call of joystick `id`, advancing its list.
const Reading* NextReading(UINT id) {
    if (id >= StickCount) return nullptr;
    Script& script = CurrentScript();
    Stick& stick = script.sticks[id];
    if (!Answers(stick) || stick.readings.empty()) return nullptr;
    if (stick.served >= stick.readings.size() && !stick.doneMarked) {
        stick.doneMarked = true;
        MarkDone(script, id);
    }
    const size_t index = stick.served < stick.readings.size() ? stick.served++ : stick.served - 1;
    return &stick.readings[index];
}

template <typename Caps>
void FillExtraCaps(const ExtraCaps& extra, Caps& caps) {
    const struct {
        DWORD min, max;
        UINT flag;
    } axes[] = {{extra.zMin, extra.zMax, JOYCAPS_HASZ},
                {extra.rMin, extra.rMax, JOYCAPS_HASR},
                {extra.uMin, extra.uMax, JOYCAPS_HASU},
                {extra.vMin, extra.vMax, JOYCAPS_HASV}};
    for (const auto& axis : axes) {
        if (axis.min < axis.max) {
            caps.wCaps |= axis.flag;
            ++caps.wNumAxes;
        }
    }
    caps.wMaxAxes = caps.wNumAxes;
    if (caps.wCaps & JOYCAPS_HASZ) caps.wZmin = extra.zMin, caps.wZmax = extra.zMax;
    caps.wRmin = extra.rMin, caps.wRmax = extra.rMax;
    caps.wUmin = extra.uMin, caps.wUmax = extra.uMax;
    caps.wVmin = extra.vMin, caps.wVmax = extra.vMax;
    if (extra.pov == 1) caps.wCaps |= JOYCAPS_HASPOV | JOYCAPS_POV4DIR;
    if (extra.pov == 2) caps.wCaps |= JOYCAPS_HASPOV | JOYCAPS_POVCTS;
}

template <typename Caps>
void FillCaps(const Stick& stick, Caps& caps) {
    caps.wMid = 1;
    caps.wPid = 1;
    caps.wXmin = stick.xMin;
    caps.wXmax = stick.xMax;
    caps.wYmin = stick.yMin;
    caps.wYmax = stick.yMax;
    caps.wZmax = 65535;
    caps.wNumButtons = stick.numButtons;
    caps.wPeriodMin = 10;
    caps.wPeriodMax = 1000;
    caps.wMaxAxes = 2;
    caps.wNumAxes = 2;
    caps.wMaxButtons = stick.maxButtons;
    FillExtraCaps(stick.extra, caps);
}

}  // namespace

extern "C" {

MMRESULT WINAPI joySetCapture(HWND, UINT id, UINT period, WINBOOL changed) {
    const MMRESULT result = PresentStick(id) ? JOYERR_NOERROR : JOYERR_UNPLUGGED;
    LogCall("capture " + std::to_string(id) + " " + std::to_string(period) + " " +
            std::to_string(changed) + " -> " + std::to_string(result));
    return result;
}

MMRESULT WINAPI joyReleaseCapture(UINT id) {
    LogCall("release " + std::to_string(id));
    return JOYERR_NOERROR;
}

MMRESULT WINAPI joyGetDevCapsA(UINT_PTR id, LPJOYCAPSA caps, UINT size) {
    const Stick* stick = PresentStick(static_cast<UINT>(id));
    MMRESULT result = JOYERR_PARMS;
    if (stick != nullptr && caps != nullptr && size >= sizeof(JOYCAPSA)) {
        JOYCAPSA filled = {};
        FillCaps(*stick, filled);
        std::strcpy(filled.szPname, "Scripted joystick");
        lstrcpynA(filled.szRegKey, stick->regKey.c_str(), sizeof filled.szRegKey);
        *caps = filled;
        result = JOYERR_NOERROR;
    }
    LogCall("caps " + std::to_string(id) + " " + std::to_string(size) + " -> " +
            std::to_string(result));
    return result;
}

MMRESULT WINAPI joyGetDevCapsW(UINT_PTR id, LPJOYCAPSW caps, UINT size) {
    const Stick* stick = PresentStick(static_cast<UINT>(id));
    if (stick == nullptr || caps == nullptr || size < sizeof(JOYCAPSW)) return JOYERR_PARMS;
    JOYCAPSW filled = {};
    FillCaps(*stick, filled);
    *caps = filled;
    return JOYERR_NOERROR;
}

UINT WINAPI joyGetNumDevs() { return StickCount; }

MMRESULT WINAPI joyGetPosEx(UINT id, LPJOYINFOEX info) {
    pollLog.Add(id);
    const Reading* reading = NextReading(id);
    if (reading == nullptr || !reading->answers) return JOYERR_UNPLUGGED;
    if (info == nullptr) return JOYERR_PARMS;
    info->dwXpos = reading->x;
    info->dwYpos = reading->y;
    // The other axes and the hat only when asked for, as a driver fills them.
    const DWORD flags = info->dwFlags;
    info->dwZpos = flags & JOY_RETURNZ ? reading->z : 0;
    info->dwRpos = flags & JOY_RETURNR ? reading->r : 0;
    info->dwUpos = flags & JOY_RETURNU ? reading->u : 0;
    info->dwVpos = flags & JOY_RETURNV ? reading->v : 0;
    info->dwButtons = reading->buttons;
    DWORD pressed = 0;
    for (DWORD bits = reading->buttons; bits != 0; bits &= bits - 1) ++pressed;
    info->dwButtonNumber = pressed;
    info->dwPOV = flags & (JOY_RETURNPOV | JOY_RETURNPOVCTS) ? reading->pov : JOY_POVCENTERED;
    return JOYERR_NOERROR;
}

MMRESULT WINAPI joyGetPos(UINT id, LPJOYINFO info) {
    const Reading* reading = NextReading(id);
    if (reading == nullptr || !reading->answers) return JOYERR_UNPLUGGED;
    if (info == nullptr) return JOYERR_PARMS;
    info->wXpos = reading->x;
    info->wYpos = reading->y;
    info->wZpos = 0;
    info->wButtons = reading->buttons & 0xF;
    return JOYERR_NOERROR;
}

MMRESULT WINAPI joyGetThreshold(UINT id, LPUINT threshold) {
    if (PresentStick(id) == nullptr || threshold == nullptr) return JOYERR_PARMS;
    *threshold = 0;
    return JOYERR_NOERROR;
}

MMRESULT WINAPI joySetThreshold(UINT id, UINT) {
    return PresentStick(id) ? JOYERR_NOERROR : JOYERR_PARMS;
}

MMRESULT WINAPI joyConfigChanged(DWORD) { return JOYERR_NOERROR; }

// The time functions are local: the builtin winmm cannot be loaded beside this module.
DWORD WINAPI timeGetTime() { return static_cast<DWORD>(GetTickCount64()); }

MMRESULT WINAPI timeGetSystemTime(LPMMTIME time, UINT size) {
    if (time == nullptr || size < sizeof(MMTIME)) return TIMERR_NOCANDO;
    time->wType = TIME_MS;
    time->u.ms = timeGetTime();
    return TIMERR_NOERROR;
}

MMRESULT WINAPI timeBeginPeriod(UINT period) {
    return period == 0 ? TIMERR_NOCANDO : TIMERR_NOERROR;
}

MMRESULT WINAPI timeEndPeriod(UINT period) { return period == 0 ? TIMERR_NOCANDO : TIMERR_NOERROR; }

MMRESULT WINAPI timeGetDevCaps(LPTIMECAPS caps, UINT size) {
    if (caps == nullptr || size < sizeof(TIMECAPS)) return TIMERR_NOCANDO;
    caps->wPeriodMin = 1;
    caps->wPeriodMax = 1000000;
    return TIMERR_NOERROR;
}

WINBOOL WINAPI PlaySoundA(LPCSTR, HMODULE, DWORD) { return FALSE; }
WINBOOL WINAPI PlaySoundW(LPCWSTR, HMODULE, DWORD) { return FALSE; }
WINBOOL WINAPI sndPlaySoundA(LPCSTR, UINT) { return FALSE; }
WINBOOL WINAPI sndPlaySoundW(LPCWSTR, UINT) { return FALSE; }

}  // extern "C"
