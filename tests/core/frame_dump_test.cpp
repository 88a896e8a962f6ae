#include "core/frame_dump.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/log_capture.h"

namespace {

using korven::FrameDirection;
using korven::LogFrame;

std::string DumpOf(FrameDirection direction, const std::vector<uint8_t>& frame) {
    korven::test::LogCapture capture;
    LogFrame(direction, frame.data(), frame.size());
    const auto messages = capture.Messages();
    return messages.empty() ? std::string() : messages.back();
}

std::vector<uint8_t> Frame(uint8_t messageClass, uint8_t id, std::vector<uint8_t> payload) {
    const auto total = static_cast<uint8_t>(12 + payload.size());
    std::vector<uint8_t> frame = {0x7e, 0x80, 0xff, 0xff, 0x00, total, 0x06, 0x10, 0x10, 0x11, messageClass, id};
    frame.insert(frame.end(), payload.begin(), payload.end());
    return frame;
}

TEST(FrameDump, ReceivedLargeFrameWithNamePaddedTo21) {
    EXPECT_EQ("<-RECV[Larg[ 14][LARGE_INITIAL_END    ]7e 80 ff ff 00 0e 06 10 10 11 11 00 | 01 02 ]",
              DumpOf(FrameDirection::Receive, Frame(0x11, 0, {1, 2})));
}

TEST(FrameDump, IdsBeyondTheNamedRangeArePrintedAsNumbers) {
    EXPECT_EQ(0u,
              DumpOf(FrameDirection::Receive, Frame(0x11, 160, {})).find("<-RECV[Larg[ 12][-- 160               ]"));
    EXPECT_EQ(0u, DumpOf(FrameDirection::Receive, Frame(0x11, 119, {})).find("<-RECV[Larg[ 12][-- 119"));
    EXPECT_EQ(0u, DumpOf(FrameDirection::Receive, Frame(0x11, 118, {})).find("<-RECV[Larg[ 12][LARGE_SOFT_IDLE"));
    EXPECT_EQ(0u, DumpOf(FrameDirection::Receive, Frame(0x10, 72, {})).find("<-RECV[Norm[ 12][-- 72 "));
    EXPECT_EQ(0u, DumpOf(FrameDirection::Receive, Frame(0x10, 19, {})).find("<-RECV[Norm[ 12][NORMAL_DGP_LCD       ]"));
}

TEST(FrameDump, SendTitlesDependOnClass) {
    EXPECT_EQ("=>SEND[Wide[ 13][WIDE_INITIAL_REQ     ] = 7e 80 ff ff 00 0d 06 10 10 11 29 02 | e4 ]",
              DumpOf(FrameDirection::Send, Frame(0x29, 2, {0xe4})));
    EXPECT_EQ("=>SEND[7e 80 ff ff 00 0c 06 10 10 11 27 27 ]", DumpOf(FrameDirection::Send, Frame(0x27, 39, {})));
    EXPECT_EQ("=>SEND[Wide[ 12][LINK_TEST_9000       ]7e 80 ff ff 00 0c 06 10 10 11 29 36 ]",
              DumpOf(FrameDirection::LinkTestSend, Frame(0x29, 54, {})));
}

TEST(FrameDump, ReceivedFrameIsDumpedOnlyAsFarAsItsBytesGo) {
    std::vector<uint8_t> frame = Frame(0x11, 0, {1, 2});
    frame[5] = 200;  // the header claims more than arrived
    EXPECT_EQ("<-RECV[Larg[200][LARGE_INITIAL_END    ]7e 80 ff ff 00 c8 06 10 10 11 11 00 | 01 02 ]",
              DumpOf(FrameDirection::Receive, frame));
    // Nothing to dump (no bytes announced, no known class) must not bring
    // back what an earlier dump left behind.
    DumpOf(FrameDirection::Receive, frame);
    EXPECT_EQ("<-RECV[]", DumpOf(FrameDirection::Receive, {0x7e, 0x80, 0xff, 0xff, 0x00, 0x00, 0, 0, 0, 0, 0x42, 0}));
}

TEST(FrameDump, LongFrameIsCutWithTheMessage) {
    std::vector<uint8_t> payload(500, 0xab);
    std::vector<uint8_t> frame = Frame(0x11, 0, payload);
    frame[4] = 0x02;
    frame[5] = 0x00;
    EXPECT_EQ(1023u, DumpOf(FrameDirection::Receive, frame).size());
}

}  // namespace
