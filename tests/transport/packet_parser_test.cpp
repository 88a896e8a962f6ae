#include "transport/packet_parser.h"

#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <vector>

#include "core/app_state.h"
#include "transport/loopback_session.h"

namespace korven::test {
namespace {

// A received frame of `received` bytes on the heap, so that a read past
// them is caught; its header announces `announced` bytes.
std::unique_ptr<uint8_t[]> Received(size_t received, uint16_t announced, uint8_t messageClass, uint8_t id) {
    auto frame = std::make_unique<uint8_t[]>(received);
    const uint8_t header[12] = {0x7E,
                                0x80,
                                0xFF,
                                0xFF,
                                static_cast<uint8_t>(announced >> 8),
                                static_cast<uint8_t>(announced),
                                0x06,
                                0x10,
                                0x10,
                                0x11,
                                messageClass,
                                id};
    std::fill_n(frame.get(), received, uint8_t{0});
    std::copy_n(header, std::min<size_t>(received, sizeof header), frame.get());
    return frame;
}

void Parse(const uint8_t* frame, size_t received) {
    std::lock_guard<std::mutex> guard(theApp().parserLock);
    RecvPacketParser(theApp(), frame, received);
}

class PacketParserTest : public ::testing::Test {
protected:
    void SetUp() override { theApp().appWindow = nullptr; }
};

TEST_F(PacketParserTest, FrameOf512BytesIsProcessedAnd513Dropped) {
    LogCapture log;
    auto accepted = Received(512, 512, 0x11, 0);
    Parse(accepted.get(), 512);
    EXPECT_EQ(CountLinesStartingWith(log, "<-RECV[Larg[512][LARGE_INITIAL_END    ]7e 80 ff ff 02 00"), 1u);
    EXPECT_TRUE(log.Contains("ParseLargeInitialEnd : Invalid App Hwnd"));

    LogCapture dropped;
    auto oversized = Received(316, 513, 0x11, 0);
    Parse(oversized.get(), 316);
    EXPECT_EQ(dropped.Messages(),
              std::vector<std::string>{"CKorvenSignalLibApp::RecvPacketParser..nLen(513) > 512 Size Error"});
}

TEST_F(PacketParserTest, NeverReadsPastTheBytesReceived) {
    LogCapture log;
    auto shortFrame = Received(14, 300, 0x11, 0);
    shortFrame[12] = 0xAB;
    shortFrame[13] = 0xCD;
    Parse(shortFrame.get(), 14);
    EXPECT_TRUE(log.Contains("<-RECV[Larg[300][LARGE_INITIAL_END    ]7e 80 ff ff 01 2c 06 10 10 11 11 00 | ab cd ]"));
    auto headerOnly = Received(3, 300, 0x11, 0);
    Parse(headerOnly.get(), 3);
}

TEST_F(PacketParserTest, OtherClassesEndAfterTheDump) {
    LogCapture log;
    auto wide = Received(13, 13, 0x29, 2);
    Parse(wide.get(), 13);
    EXPECT_EQ(log.Messages(), std::vector<std::string>{
                                  "<-RECV[Wide[ 13][WIDE_INITIAL_REQ     ]7e 80 ff ff 00 0d 06 10 10 11 29 02 | 00 ]"});
}

}  // namespace
}  // namespace korven::test
