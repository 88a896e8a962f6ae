#include "transport/frame_header.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

namespace korven {
namespace {

using Bytes = std::array<uint8_t, 14>;

// Header written into a 14-byte buffer pre-filled with 0xEE, so that bytes
// the writer must not touch stay visible.
Bytes Written(HeaderForm form, StationTag tag, uint16_t length, uint8_t id) {
    Bytes frame;
    frame.fill(0xEE);
    WriteWideHeader(frame.data(), form, tag, length, id);
    return frame;
}

constexpr StationTag kTag = {{0x12, 0x34}};
constexpr StationTag kTagBeforeRegistration = {{0x00, 0x00}};

TEST(FrameHeaderTest, EachFormWritesItsTagRouteAndClass) {
    EXPECT_EQ(Written(HeaderForm::A, kTag, 14, 5),
              (Bytes{0x7E, 0x80, 0xFF, 0xFF, 0x00, 0x0E, 0x06, 0x10, 0x10, 0x11, 0x29, 0x05, 0xEE, 0xEE}));
    EXPECT_EQ(Written(HeaderForm::B, kTag, 0x0123, 13),
              (Bytes{0x7E, 0x80, 0x12, 0x34, 0x01, 0x23, 0x02, 0x8B, 0x10, 0x11, 0x27, 0x0D, 0xEE, 0xEE}));
    EXPECT_EQ(Written(HeaderForm::C, kTag, 20, 54),
              (Bytes{0x7E, 0x80, 0x12, 0x34, 0x00, 0x14, 0x07, 0x8B, 0x10, 0x11, 0x29, 0x36, 0xEE, 0xEE}));
    EXPECT_EQ(Written(HeaderForm::D, kTag, 20, 1),
              (Bytes{0x7E, 0x80, 0xFF, 0xFF, 0x00, 0x14, 0x07, 0x8B, 0x10, 0x11, 0x29, 0x01, 0xEE, 0xEE}));
}

TEST(FrameHeaderTest, IapFramesBeforeRegistrationCarryZeroTagExceptPhoneStart) {
    for (HeaderForm form : {HeaderForm::B, HeaderForm::C}) {
        const Bytes frame = Written(form, kTagBeforeRegistration, 14, 0);
        EXPECT_EQ(frame[2], 0x00);
        EXPECT_EQ(frame[3], 0x00);
    }
    const Bytes phoneStart = Written(HeaderForm::D, kTagBeforeRegistration, 14, 1);
    EXPECT_EQ(phoneStart[2], 0xFF);
    EXPECT_EQ(phoneStart[3], 0xFF);
}

TEST(FrameHeaderTest, BuildWideHeaderLeavesLengthZeroAndIdToTheCaller) {
    Bytes frame;
    frame.fill(0xEE);
    BuildWideHeader(frame.data(), 0xFFFF, false);
    EXPECT_EQ(frame, (Bytes{0x7E, 0x80, 0xFF, 0xFF, 0, 0, 0x06, 0x10, 0x10, 0x11, 0x29, 0xEE, 0xEE, 0xEE}));

    BuildWideHeader(frame.data(), 0x1234, true);
    const Bytes formC = Written(HeaderForm::C, kTag, 0, 0xEE);
    EXPECT_EQ(frame, formC);
}

TEST(FrameHeaderTest, ReadsLengthClassAndIdOfReceivedFrames) {
    const uint8_t large[14] = {0x7E, 0x80, 0xFF, 0xFF, 0x00, 0x0E, 0x06, 0x10, 0x10, 0x11, 0x11, 0x05, 0x01, 0x02};
    const FrameHeaderView view = ReadFrameHeader(FrameReader(large, sizeof large));
    EXPECT_EQ(view.totalLength, 14);
    EXPECT_EQ(view.messageClass, kClassLarge);
    EXPECT_EQ(view.messageId, 5);

    // A datagram cut inside the length field: missing bytes read as 0.
    const uint8_t longFrame[12] = {0x7E, 0x80, 0xFF, 0xFF, 0x02, 0x01, 0x06, 0x10, 0x10, 0x11, 0x11, 0x05};
    const FrameHeaderView cut = ReadFrameHeader(FrameReader(longFrame, 5));
    EXPECT_EQ(cut.totalLength, 0x0200);
    EXPECT_EQ(cut.messageClass, 0);
    EXPECT_EQ(cut.messageId, 0);
}

}  // namespace
}  // namespace korven
