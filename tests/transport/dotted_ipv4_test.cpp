#include "transport/dotted_ipv4.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

namespace korven {
namespace {

using Address = std::array<uint8_t, 4>;

Address Parsed(const char* text, Address start = {0, 0, 0, 0}) {
    ParseDottedIPv4(text, start.data());
    return start;
}

TEST(DottedIPv4Test, ConvertsEachPieceToOneByte) {
    EXPECT_EQ(Parsed("192.168.1.20"), (Address{0xC0, 0xA8, 0x01, 0x14}));
    EXPECT_EQ(Parsed("300.0.0.1"), (Address{0x2C, 0x00, 0x00, 0x01}));
    EXPECT_EQ(Parsed("1.2.3.4.5"), (Address{1, 2, 3, 4}));
}

TEST(DottedIPv4Test, PiecesAreReadLikeDecimalConversion) {
    EXPECT_EQ(Parsed("abc.12x.-1. 7"), (Address{0, 12, 0xFF, 7}));
    EXPECT_EQ(Parsed("99999999999.1.1.1"), (Address{99999999999 % 256, 1, 1, 1}));
}

TEST(DottedIPv4Test, MissingPiecesLeaveTheirBytesUnchanged) {
    const Address start = {0xAA, 0xBB, 0xCC, 0xDD};
    EXPECT_EQ(Parsed("10.1", start), (Address{0x0A, 0x01, 0xCC, 0xDD}));
    EXPECT_EQ(Parsed("..10...1.", start), (Address{0x0A, 0x01, 0xCC, 0xDD}));
    EXPECT_EQ(Parsed("", start), start);
    EXPECT_EQ(Parsed(nullptr, start), start);
}

TEST(DottedIPv4Test, OnlyTheFirst29CharactersAreRead) {
    // The last piece starts at character 28, so only its first digit counts.
    const std::string text = "1.2.3" + std::string(23, '.') + "45";
    EXPECT_EQ(Parsed(text.c_str()), (Address{1, 2, 3, 4}));
}

}  // namespace
}  // namespace korven
