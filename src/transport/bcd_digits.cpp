#include "transport/bcd_digits.h"

#include <algorithm>

namespace korven {
namespace {

constexpr uint8_t kFiller = 0x0F;
constexpr uint8_t kEmptyByte = 0xFF;
constexpr int kNotDigit = -1;

// Nibble to character; 0 for the nibbles that have no character.
constexpr char kNibbleChars[16] = {'0', '1', '2', '3', '4', '5', '6', '7', '8', '9', '*', '#', 0, 0, 0, 0};

int DigitNibble(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c == '*') return 0xA;
    if (c == '#') return 0xB;
    return kNotDigit;
}

}  // namespace

void EncodeBcdDigits(uint8_t* field, size_t fieldSize, const char* text) {
    std::fill_n(field, fieldSize, kEmptyByte);
    if (text == nullptr) return;
    // The terminator is not a digit, so the loop never reads past it.
    for (size_t i = 0; i < 2 * fieldSize; ++i) {
        const int nibble = DigitNibble(text[i]);
        if (nibble == kNotDigit) return;
        uint8_t& byte = field[i / 2];
        byte = i % 2 == 0 ? static_cast<uint8_t>(nibble << 4 | kFiller) : static_cast<uint8_t>((byte & 0xF0) | nibble);
    }
}

void DecodeBcdDigits(const uint8_t* field, size_t fieldSize, char* out) {
    std::fill_n(out, 2 * fieldSize + 1, '\0');
    for (size_t i = 0; i < fieldSize && field[i] != kEmptyByte; ++i) {
        out[2 * i] = kNibbleChars[field[i] >> 4];
        if ((field[i] & 0x0F) == kFiller) return;
        out[2 * i + 1] = kNibbleChars[field[i] & 0x0F];
    }
}

}  // namespace korven
