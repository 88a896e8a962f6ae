#include "transport/bcd_digits.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

namespace korven {
namespace {

using Field3 = std::array<uint8_t, 3>;

// A 3-byte field followed by a guard byte that must never change.
Field3 Encoded(const char* text) {
    std::array<uint8_t, 4> buffer;
    buffer.fill(0x00);
    EncodeBcdDigits(buffer.data(), 3, text);
    EXPECT_EQ(buffer[3], 0x00) << "written past the field";
    return {buffer[0], buffer[1], buffer[2]};
}

std::string Decoded(const std::array<uint8_t, 3>& field, size_t size) {
    char out[7];
    std::fill(std::begin(out), std::end(out), 'x');
    DecodeBcdDigits(field.data(), size, out);
    EXPECT_EQ(out[2 * size], '\0') << "output not terminated";
    return out;
}

TEST(BcdDigitsTest, EncodesDigitsTwoPerByteWithFillers) {
    EXPECT_EQ(Encoded("12*#5"), (Field3{0x12, 0xAB, 0x5F}));
    EXPECT_EQ(Encoded("456"), (Field3{0x45, 0x6F, 0xFF}));
    EXPECT_EQ(Encoded("123456"), (Field3{0x12, 0x34, 0x56}));
    EXPECT_EQ(Encoded(""), (Field3{0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Encoded(nullptr), (Field3{0xFF, 0xFF, 0xFF}));
}

TEST(BcdDigitsTest, EncodingStopsAtTheFirstNonDigitOrWhenTheFieldIsFull) {
    EXPECT_EQ(Encoded("12a3"), (Field3{0x12, 0xFF, 0xFF}));
    EXPECT_EQ(Encoded("1234567890"), (Field3{0x12, 0x34, 0x56}));
    // Unterminated text: only 2 * N characters may be read.
    const char unterminated[6] = {'9', '8', '7', '6', '5', '4'};
    EXPECT_EQ(Encoded(unterminated), (Field3{0x98, 0x76, 0x54}));
}

TEST(BcdDigitsTest, DecodesUpToTheFirstFillerOrEmptyByte) {
    EXPECT_EQ(Decoded({0x12, 0xAB, 0x5F}, 3), "12*#5");
    EXPECT_EQ(Decoded({0x12, 0xFF, 0x34}, 3), "12");
    EXPECT_EQ(Decoded({0x1F, 0x23, 0x00}, 2), "1");
    EXPECT_EQ(Decoded({0x98, 0x76, 0x54}, 3), "987654");
    EXPECT_EQ(Decoded({0x98, 0x76, 0x54}, 2), "9876");
}

TEST(BcdDigitsTest, NibblesCToEProduceNoCharacterButKeepTheirPosition) {
    char out[7];
    const uint8_t field[3] = {0x1C, 0x2D, 0xE3};
    DecodeBcdDigits(field, 3, out);
    EXPECT_EQ(std::string(out, 6), std::string("1\0"
                                               "2\0"
                                               "\0"
                                               "3",
                                               6));
}

TEST(BcdDigitsTest, EveryDialStringSurvivesARoundTrip) {
    for (const char* text : {"", "0", "12*#5", "#31", "123456"}) {
        EXPECT_EQ(Decoded(Encoded(text), 3), text);
    }
}

}  // namespace
}  // namespace korven
