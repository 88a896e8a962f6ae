#include "transport/frame_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>

namespace korven {
namespace {

constexpr size_t kFar = std::numeric_limits<size_t>::max();

TEST(FrameReaderTest, BytesAtOrPastTheReceivedLengthReadAsZero) {
    // The buffer is larger than what was received; the tail must stay unseen.
    const uint8_t buffer[6] = {0x12, 0x34, 0x56, 0xAA, 0xBB, 0xCC};
    const FrameReader frame(buffer, 3);
    EXPECT_EQ(frame.u8(2), 0x56);
    EXPECT_EQ(frame.u8(3), 0);
    EXPECT_EQ(frame.u8(kFar), 0);
    EXPECT_EQ(frame.be16(0), 0x1234);
    EXPECT_EQ(frame.be16(2), 0x5600);
    EXPECT_EQ(frame.be16(kFar), 0);

    uint8_t copy[4] = {9, 9, 9, 9};
    frame.bytes(1, copy, 4);
    EXPECT_EQ(copy[0], 0x34);
    EXPECT_EQ(copy[1], 0x56);
    EXPECT_EQ(copy[2], 0);
    EXPECT_EQ(copy[3], 0);
}

TEST(FrameReaderTest, HasTellsWhetherARangeWasReceivedWhole) {
    const uint8_t buffer[4] = {};
    const FrameReader frame(buffer, 4);
    EXPECT_TRUE(frame.has(0, 4));
    EXPECT_TRUE(frame.has(4, 0));
    EXPECT_FALSE(frame.has(3, 2));
    EXPECT_FALSE(frame.has(1, kFar));
    EXPECT_EQ(FrameReader(nullptr, 10).size(), 0u);
}

TEST(FrameWriterTest, AWriteThatDoesNotFitIsDroppedWhole) {
    uint8_t buffer[6] = {};
    FrameWriter out(buffer, 4);
    EXPECT_TRUE(out.putBe16(2, 0xABCD));
    EXPECT_FALSE(out.putBe16(3, 0x1111));
    EXPECT_FALSE(out.put8(4, 0x22));
    EXPECT_FALSE(out.fill(1, 4, 0x33));
    EXPECT_FALSE(out.fill(kFar, 2, 0x33));
    const uint8_t src[2] = {0x44, 0x55};
    EXPECT_FALSE(out.putBytes(3, src, 2));
    EXPECT_TRUE(out.putBytes(0, src, 2));

    const uint8_t expected[6] = {0x44, 0x55, 0xAB, 0xCD, 0, 0};
    EXPECT_EQ(0, std::memcmp(buffer, expected, sizeof buffer));
}

}  // namespace
}  // namespace korven
