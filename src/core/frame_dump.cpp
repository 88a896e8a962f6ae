#include "core/frame_dump.h"

#include <algorithm>

#include "core/diagnostic_log.h"
#include "core/log_text.h"
#include "transport/catalogues.h"
#include "transport/frame_header.h"

namespace korven {
namespace {

// "Larg[ 14][LARGE_INITIAL_END    ]" or, beyond the catalogue, "[-- 160 ...]".
void NamedTitle(LogText& dump, const char* kind, size_t count, const char* name, int id) {
    dump.Append(kind);
    dump.Append("[");
    dump.Number(static_cast<long long>(count), 3);
    if (name != nullptr) {
        dump.Append("][");
        dump.LeftAligned(name, 21);
    } else {
        dump.Append("][-- ");
        dump.Number(id, 18, true);
    }
    dump.Append("]");
}

void ReceiveTitle(LogText& dump, uint8_t messageClass, int id, size_t total) {
    switch (messageClass) {
        case kClassNormal:
            return NamedTitle(dump, "Norm", total, NormalMessageName(id), id);
        case kClassLarge:
            // The Large names stop at 118 in the trace although the catalogue goes further.
            return NamedTitle(dump, "Larg", total, id <= 118 ? LargeMessageName(id) : nullptr, id);
        case kClassWide:
            return NamedTitle(dump, "Wide", total, WideMessageName(id), id);
        default:
            return;
    }
}

void SendTitle(LogText& dump, FrameDirection direction, uint8_t messageClass, int id, size_t length) {
    if (messageClass != kClassWide) return;
    if (direction == FrameDirection::LinkTestSend) return NamedTitle(dump, "Wide", length, "LINK_TEST_9000", id);
    const char* name = WideMessageName(id);
    NamedTitle(dump, "Wide", length, name ? name : "", id);
    dump.Append(" = ");
}

}  // namespace

void LogFrame(FrameDirection direction, const uint8_t* frame, size_t length) {
    if (!TheLog().Enabled() || frame == nullptr) return;
    const FrameReader reader(frame, length);
    const FrameHeaderView header = ReadFrameHeader(reader);
    const bool received = direction == FrameDirection::Receive;
    const size_t count = received ? std::min<size_t>(header.totalLength, length) : length;

    // Built by hand: a dump is written for every frame.
    LogText dump;
    dump.Append(received ? "<-RECV[" : "=>SEND[");
    if (received) {
        ReceiveTitle(dump, header.messageClass, header.messageId, header.totalLength);
    } else {
        SendTitle(dump, direction, header.messageClass, header.messageId, length);
    }
    dump.Hex(frame, std::min(count, kHeaderSize));
    if (count > kHeaderSize) {
        dump.Append("| ");
        dump.Hex(frame + kHeaderSize, count - kHeaderSize);
    }
    dump.Append("]");
    TheLog().Write(dump.data(), dump.size());
}

}  // namespace korven
