#include "core/frame_dump.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "core/diagnostic_log.h"
#include "transport/catalogues.h"
#include "transport/frame_header.h"

namespace korven {
namespace {

constexpr size_t kDumpBuffer = 4096;

// "Larg[ 14][LARGE_INITIAL_END    ]" or, beyond the catalogue, "[-- 160 ...]".
int NamedTitle(char* out, size_t size, const char* kind, size_t count, const char* name, int id) {
    if (name != nullptr) return std::snprintf(out, size, "%s[%3d][%-21s]", kind, static_cast<int>(count), name);
    return std::snprintf(out, size, "%s[%3d][-- %-18d]", kind, static_cast<int>(count), id);
}

int ReceiveTitle(char* out, size_t size, uint8_t messageClass, int id, size_t total) {
    switch (messageClass) {
        case kClassNormal: return NamedTitle(out, size, "Norm", total, NormalMessageName(id), id);
        case kClassLarge:
            // The Large names stop at 118 in the trace although the catalogue goes further.
            return NamedTitle(out, size, "Larg", total, id <= 118 ? LargeMessageName(id) : nullptr, id);
        case kClassWide: return NamedTitle(out, size, "Wide", total, WideMessageName(id), id);
        default: return 0;
    }
}

int SendTitle(char* out, size_t size, FrameDirection direction, uint8_t messageClass, int id, size_t length) {
    if (messageClass != kClassWide) return 0;
    if (direction == FrameDirection::LinkTestSend) {
        return std::snprintf(out, size, "Wide[%3d][%-21s]", static_cast<int>(length), "LINK_TEST_9000");
    }
    const char* name = WideMessageName(id);
    return std::snprintf(out, size, "Wide[%3d][%-21s] = ", static_cast<int>(length), name ? name : "");
}

}  // namespace

void LogFrame(FrameDirection direction, const uint8_t* frame, size_t length) {
    if (!TheLog().Enabled() || frame == nullptr) return;
    const FrameReader reader(frame, length);
    const FrameHeaderView header = ReadFrameHeader(reader);
    const bool received = direction == FrameDirection::Receive;
    const size_t count = received ? std::min<size_t>(header.totalLength, length) : length;

    // Terminated from the start: a frame of no known class that announces
    // no bytes adds nothing to it.
    char dump[kDumpBuffer];
    dump[0] = '\0';
    int used = received ? ReceiveTitle(dump, sizeof dump, header.messageClass, header.messageId, header.totalLength)
                        : SendTitle(dump, sizeof dump, direction, header.messageClass, header.messageId, length);
    size_t position = static_cast<size_t>(std::max(used, 0));
    for (size_t i = 0; i < count && position + 6 < sizeof dump; ++i) {
        if (i == kHeaderSize) position += static_cast<size_t>(std::snprintf(dump + position, 3, "| "));
        position += static_cast<size_t>(std::snprintf(dump + position, 4, "%02x ", frame[i]));
    }
    WriteLog(received ? "<-RECV[%s]" : "=>SEND[%s]", dump);
}

}  // namespace korven
