#include "large_call_state.h"

namespace korven::pbxsim {
namespace {

Bytes OneByteMessage(System system, uint8_t id, uint8_t value) {
    FrameBuilder frame(system, kClassLarge, id);
    frame.SetBytes(12, {value});
    return frame.Frame();
}

Bytes NumberMessage(uint8_t id, const CallNumberFields& fields) {
    FrameBuilder frame(fields.system, kClassLarge, id);
    frame.SetBytes(12, {static_cast<uint8_t>(fields.id), static_cast<uint8_t>(fields.id >> 8),
                        static_cast<uint8_t>(fields.id >> 16), static_cast<uint8_t>(fields.id >> 24)});
    frame.SetBytes(16, fields.number);
    frame.SetBytes(24, TextBytes(fields.name, 16));
    frame.SetBytes(40, Bytes(fields.trunkType.begin(), fields.trunkType.end()));
    frame.SetBytes(42, fields.didNumber);
    frame.SetBytes(58, TextBytes(fields.didName, 16));
    frame.SetBytes(74, fields.callNameEx);
    return WithTotalLength(frame.Frame(), fields.length);
}

}  // namespace

Bytes LargeCallResponse(uint8_t response, System system) { return OneByteMessage(system, 2, response); }

Bytes LargeCallStatus(uint8_t status, System system) { return OneByteMessage(system, 3, status); }

Bytes LargeIdleStatus(const IdleStatusFields& fields) {
    FrameBuilder frame(fields.system, kClassLarge, 4);
    frame.SetBytes(13,
                   {fields.dndMode, fields.absenceMode, fields.taviCount, fields.stationCount, 0, fields.emailCount});
    return WithTotalLength(frame.Frame(), fields.length);
}

Bytes LargeCallNumber(const CallNumberFields& fields) { return NumberMessage(5, fields); }

Bytes LargeDialNumber(const CallNumberFields& fields) { return NumberMessage(7, fields); }

Bytes LargeVDialNumber(System system) { return LargeNotice(system, 15); }

Bytes LargeCallDisconnect(System system) { return LargeNotice(system, 52); }

Bytes LargeMissedCall(System system) { return LargeNotice(system, 53); }

}  // namespace korven::pbxsim
