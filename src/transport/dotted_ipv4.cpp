#include "transport/dotted_ipv4.h"

#include <cstddef>
#include <string_view>

namespace korven {
namespace {

// The address fields the text comes from hold 30 bytes with the terminator.
constexpr size_t kMaxTextLength = 29;
constexpr size_t kAddressBytes = 4;

std::string_view BoundedText(const char* text) {
    size_t length = 0;
    while (length < kMaxTextLength && text[length] != '\0') ++length;
    return {text, length};
}

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Leading blanks, an optional sign, then digits; anything else ends the
// number. Accumulating modulo 2^32 keeps the low 8 bits exact, also for
// numbers that would overflow an int.
uint8_t DecimalLowByte(std::string_view piece) {
    size_t i = 0;
    while (i < piece.size() && IsSpace(piece[i])) ++i;
    const bool negative = i < piece.size() && piece[i] == '-';
    if (i < piece.size() && (piece[i] == '-' || piece[i] == '+')) ++i;
    uint32_t value = 0;
    for (; i < piece.size() && piece[i] >= '0' && piece[i] <= '9'; ++i) {
        value = value * 10 + static_cast<uint32_t>(piece[i] - '0');
    }
    return static_cast<uint8_t>(negative ? 0u - value : value);
}

}  // namespace

void ParseDottedIPv4(const char* text, uint8_t out[4]) {
    if (text == nullptr) return;
    std::string_view rest = BoundedText(text);
    for (size_t index = 0; index < kAddressBytes; ++index) {
        const size_t start = rest.find_first_not_of('.');
        if (start == std::string_view::npos) return;
        rest.remove_prefix(start);
        const size_t end = rest.find('.');
        out[index] = DecimalLowByte(rest.substr(0, end));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end);
    }
}

}  // namespace korven
