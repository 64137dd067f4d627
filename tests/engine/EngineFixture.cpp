// Readable recorded calls in the engine tests' failure messages.
#include "tests/engine/EngineFixture.h"

namespace recording {

void PrintTo(const Call& call, std::ostream* out) {
    switch (call.kind) {
        case CallKind::KeyDown:
        case CallKind::KeyUp:
            *out << (call.kind == CallKind::KeyDown ? "KeyDown 0x" : "KeyUp 0x") << std::hex
                 << call.a << std::dec;
            return;
        case CallKind::MouseButtons:
            *out << "Mouse 0x" << std::hex << call.a << std::dec << " at " << call.b << ","
                 << call.c;
            return;
        case CallKind::Move:
            *out << "Move " << call.a << "," << call.b;
            return;
        case CallKind::Wheel:
            *out << (call.a ? "HWheel " : "Wheel ") << call.b;
            return;
        case CallKind::TimerStart:
            *out << "TimerStart " << call.a << " every " << call.b;
            return;
        case CallKind::TimerStop:
            *out << "TimerStop " << call.a;
            return;
        default:
            *out << "call of kind " << static_cast<int>(call.kind) << " " << call.a;
    }
}

}  // namespace recording
