#include "large/field_layout.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace korven {
namespace {

using Bytes = std::vector<uint8_t>;

// A record of 16 bytes with a guard byte on each side of every field.
constexpr Field kEveryCodec[] = {
    {1, 2, 12, Codec::Digit30},        {4, 2, 14, Codec::Raw},  {7, 4, 16, Codec::Bcd},
    {12, 1, 18, Codec::Normalised, 3}, {14, 1, 19, Codec::One},
};
constexpr Field kPort[] = {{0, 2, 20, Codec::ReceivedPort}};
constexpr uint8_t kGuard = 0xA5;

static_assert(IsSound(LayoutOf(kEveryCodec), 15));
static_assert(!IsSound(LayoutOf(kEveryCodec), 14));
constexpr Field kOddBcd[] = {{0, 3, 12, Codec::Bcd}};
constexpr Field kWideNormalised[] = {{0, 2, 12, Codec::Normalised, 3}};
constexpr Field kLongBcd[] = {{0, 2 * kMaxBcdBytes + 2, 12, Codec::Bcd}};
static_assert(!IsSound(LayoutOf(kOddBcd), 64) && !IsSound(LayoutOf(kWideNormalised), 64) &&
              !IsSound(LayoutOf(kLongBcd), 64));

Bytes Frame(std::initializer_list<uint8_t> payload) {
    Bytes frame(12, 0);
    frame.insert(frame.end(), payload);
    return frame;
}

Bytes Decoded(const Bytes& frame, FieldLayout layout = LayoutOf(kEveryCodec)) {
    Bytes record(16, kGuard);
    Decode(layout, FrameReader(frame.data(), frame.size()), record.data());
    return record;
}

TEST(FieldLayoutTest, DecodesEachCodecIntoItsFieldOnly) {
    const Bytes frame = Frame({7, 0, 0xAB, 0xCD, 0x12, 0x34, 2, 9});
    const Bytes record = Decoded(frame);
    const Bytes expected = {kGuard, '7', '0', kGuard, 0xAB, 0xCD,   kGuard, '1',
                            '2',    '3', '4', kGuard, 2,    kGuard, 1,      kGuard};
    EXPECT_EQ(record, expected);
}

TEST(FieldLayoutTest, CanonicalFrameBytesSurviveARoundTrip) {
    const Bytes frame = Frame({3, 9, 0x00, 0xFF, 0x98, 0x7F, 1, 1});
    const Bytes record = Decoded(frame);
    Bytes sent(frame.size(), 0);
    FrameWriter writer(sent.data(), sent.size());
    Encode(LayoutOf(kEveryCodec), record.data(), writer);
    EXPECT_EQ(sent, frame);
}

TEST(FieldLayoutTest, NormalisedByteIsFoldedOnDecodingAndSentAsHeld) {
    const std::pair<uint8_t, uint8_t> cases[] = {{13, 3}, {14, 1}, {0, 1}, {3, 3}, {10, 1}, {11, 1}, {255, 1}};
    for (const auto& [received, decoded] : cases) {
        EXPECT_EQ(Decoded(Frame({0, 0, 0, 0, 0, 0, received}))[12], decoded) << int{received};
    }
    Bytes record(16, 0);
    record[12] = 7;
    Bytes sent(20, 0);
    FrameWriter writer(sent.data(), sent.size());
    Encode(LayoutOf(kEveryCodec), record.data(), writer);
    EXPECT_EQ(sent[18], 7);
}

TEST(FieldLayoutTest, DigitCharactersWrapAroundEightBits) {
    EXPECT_EQ(Decoded(Frame({0xF0, 0xD0}))[1], 0x20);
    Bytes record(16, 0);
    record[1] = '7';
    record[2] = 0x10;
    Bytes sent(20, 0);
    FrameWriter writer(sent.data(), sent.size());
    Encode(LayoutOf(kEveryCodec), record.data(), writer);
    EXPECT_EQ(sent[12], 7);
    EXPECT_EQ(sent[13], 0xE0);
}

TEST(FieldLayoutTest, BcdTextReadsNoFurtherThanItsWidth) {
    const Bytes full = Frame({0, 0, 0, 0, 0x12, 0x34});
    const Bytes record = Decoded(full);
    EXPECT_EQ(record[10], '4');
    EXPECT_EQ(record[11], kGuard) << "no terminator past a full field";

    Bytes text(16, '5');  // no terminator anywhere near the field
    Bytes sent(20, 0);
    FrameWriter writer(sent.data(), sent.size());
    Encode(LayoutOf(kEveryCodec), text.data(), writer);
    EXPECT_EQ(Bytes(sent.begin() + 16, sent.begin() + 18), (Bytes{0x55, 0x55}));

    text[9] = '\0';
    FrameWriter again(sent.data(), sent.size());
    Encode(LayoutOf(kEveryCodec), text.data(), again);
    EXPECT_EQ(Bytes(sent.begin() + 16, sent.begin() + 18), (Bytes{0x55, 0xFF}));
}

TEST(FieldLayoutTest, PortIsKeptInHostOrderAndNeverSentBack) {
    const Bytes record = Decoded(Frame({0, 0, 0, 0, 0, 0, 0, 0, 0x13, 0x88}), LayoutOf(kPort));
    uint16_t port;
    std::memcpy(&port, record.data(), sizeof port);
    EXPECT_EQ(port, 5000);

    Bytes sent(22, 0x77);
    FrameWriter writer(sent.data(), sent.size());
    Encode(LayoutOf(kPort), record.data(), writer);
    EXPECT_EQ(sent, Bytes(22, 0x77));
}

TEST(FieldLayoutTest, ShortFramesReadAsZeroAndShortBuffersDropWholeFields) {
    const Bytes frame = Frame({5});
    const Bytes record = Decoded(frame);
    EXPECT_EQ(record[1], '5');
    EXPECT_EQ(record[2], '0');
    EXPECT_EQ(Bytes(record.begin() + 7, record.begin() + 11), (Bytes{'0', '0', '0', '0'}));

    Bytes sent(17, 0x77);
    FrameWriter writer(sent.data(), sent.size());
    Encode(LayoutOf(kEveryCodec), record.data(), writer);
    EXPECT_EQ(sent[16], 0x77) << "the BCD field does not fit and is not half written";
    EXPECT_EQ(sent[12], 5);
}

// A 16-byte address text, then a 4-byte int, in a 24-byte record.
constexpr Field kAddressAndPort[] = {
    {0, kDottedWidth, 0, Codec::Dotted},
    {kDottedWidth, 4, 4, Codec::Be16},
};
static_assert(IsSound(LayoutOf(kAddressAndPort), kDottedWidth + 4));
constexpr Field kShortDotted[] = {{0, kDottedWidth - 1, 0, Codec::Dotted}};
constexpr Field kNarrowBe16[] = {{0, 2, 0, Codec::Be16}};
static_assert(!IsSound(LayoutOf(kShortDotted), 64) && !IsSound(LayoutOf(kNarrowBe16), 64));

TEST(FieldLayoutTest, AddressAndPortDecodeFromTheBaseAndRoundTrip) {
    const Bytes frame = {9, 9, 9, 255, 255, 255, 255, 0xFF, 0xFE, 9};
    Bytes record(kDottedWidth + 4, kGuard);
    Decode(LayoutOf(kAddressAndPort), FrameReader(frame.data(), frame.size()), record.data(), 3);
    EXPECT_STREQ(reinterpret_cast<const char*>(record.data()), "255.255.255.255");
    int port;
    std::memcpy(&port, record.data() + kDottedWidth, sizeof port);
    EXPECT_EQ(port, 0xFFFE);

    Bytes sent(frame.size(), 9);
    FrameWriter writer(sent.data(), sent.size());
    Encode(LayoutOf(kAddressAndPort), record.data(), writer, 3);
    EXPECT_EQ(sent, frame);
}

TEST(FieldLayoutTest, ShortAddressTextIsZeroFilledAndOddTextSendsWhatParses) {
    const Bytes frame = {10, 0, 0, 1};
    Bytes record(kDottedWidth + 4, kGuard);
    Decode(LayoutOf(kAddressAndPort), FrameReader(frame.data(), frame.size()), record.data());
    EXPECT_EQ(Bytes(record.begin() + 8, record.begin() + kDottedWidth), Bytes(8, 0));

    const std::pair<const char*, Bytes> cases[] = {
        {"192.168.1", {192, 168, 1, 0}}, {"1.2.3.4.5", {1, 2, 3, 4}}, {"300.x", {44, 0, 0, 0}}, {"", {0, 0, 0, 0}}};
    for (const auto& [text, bytes] : cases) {
        Bytes held(kDottedWidth + 4, 0);
        std::memcpy(held.data(), text, std::strlen(text));
        Bytes sent(8, 0);
        FrameWriter writer(sent.data(), sent.size());
        Encode(LayoutOf(kAddressAndPort), held.data(), writer);
        EXPECT_EQ(Bytes(sent.begin(), sent.begin() + 4), bytes) << text;
    }

    Bytes unterminated(kDottedWidth + 4, '1');
    Bytes sent(8, 0);
    FrameWriter writer(sent.data(), sent.size());
    Encode(LayoutOf(kAddressAndPort), unterminated.data(), writer);
    EXPECT_EQ(sent[0], static_cast<uint8_t>(1111111111111111ull % 256)) << "reads no further than the field";
}

}  // namespace
}  // namespace korven
