#include "transport/packet_parser.h"

#include "core/diagnostic_log.h"
#include "core/frame_dump.h"
#include "transport/frame_header.h"
#include "transport/frame_router.h"

void RecvPacketParser(CKorvenSignalLibApp& app, const uint8_t* frame, size_t received) {
    const korven::FrameReader reader(frame, received);
    const korven::FrameHeaderView header = korven::ReadFrameHeader(reader);
    if (header.totalLength > korven::kMaxIncomingFrame) {
        WriteLog("CKorvenSignalLibApp::RecvPacketParser..nLen(%d) > 512 Size Error", header.totalLength);
        return;
    }
    korven::LogFrame(korven::FrameDirection::Receive, frame, received);
    switch (header.messageClass) {
        case korven::kClassNormal:
            ProcessNormalFrame(app, reader);
            break;
        case korven::kClassLarge:
            ProcessLargeFrame(app, reader);
            break;
        default:
            break;
    }
}
